#include "CommandLineHelp.h"

#include <cstdio>
#include <cstring>

bool CommandLineHelp::answer(int argc, char** argv, const char* program, const char* usage) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s\n", program, KOLM_VERSION);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("%s", usage);
            return true;
        }
    }
    return false;
}
