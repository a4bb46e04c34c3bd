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
// one), standard input empty, and collects its exit code and both outputs.
ProgramResult RunProgram(const std::vector<std::string>& argv, const std::string& workingDir = "");

}  // namespace tessaro::test
