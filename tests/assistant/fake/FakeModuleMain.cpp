// Stands in for one of the suite's modules: records its current folder and arguments in
// "<own name>.args" next to itself and ends. Copies of it carry the modules' names.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

int main(int argc, char* argv[]) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return 2;
    const fs::path target = self.parent_path() / (self.filename().string() + ".args");
    const fs::path temporary = self.parent_path() / (self.filename().string() + ".args.tmp");
    {
        std::ofstream out(temporary);
        out << "cwd=" << fs::current_path(error).string() << '\n';
        out << "argc=" << argc - 1 << '\n';
        for (int i = 1; i < argc; ++i)
            out << argv[i] << '\n';
    }
    // Renamed into place, so that a reader never sees half a file.
    fs::rename(temporary, target, error);
    return error ? 3 : 0;
}
