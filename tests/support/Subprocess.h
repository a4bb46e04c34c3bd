#pragma once

#include <string>
#include <vector>

namespace tessaro::test {

struct ProgramResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program with an argument vector (no shell) in `workingDir` (empty: the current
// one), standard input empty, and collects its exit code and both outputs. Standard output
// goes to `outputPath` instead when that is given (and `out` stays empty).
ProgramResult RunProgram(const std::vector<std::string>& argv, const std::string& workingDir = "",
                         const std::string& outputPath = "");

}  // namespace tessaro::test
