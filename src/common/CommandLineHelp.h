#pragma once

// "--help" and "--version" for the suite's programs, answered before anything else starts
// (the assistant needs no display for them).
namespace CommandLineHelp {

// True, after writing the answer to standard output, when an argument asks for either.
bool answer(int argc, char** argv, const char* program, const char* usage);

} // namespace CommandLineHelp
