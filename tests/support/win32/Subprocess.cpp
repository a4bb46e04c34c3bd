#include "support/Subprocess.h"

#include <stdexcept>

#include "builder/TableBuilder.h"
#include "fileio/win32/WideNames.h"
#include "support/TempDir.h"
#include "support/win32/Process.h"

namespace tessaro::test {

namespace {

OwnedHandle OpenOutput(const std::string& path) {
    return OwnedHandle(::CreateFileW(os::WideFromUtf8(path).value_or(L"").c_str(), GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

ProgramResult RunProgram(const std::vector<std::string>& argv, const std::string& workingDir,
                         const std::string& outputPath) {
    TempDir outputs;
    const std::string outPath = outputPath.empty() ? outputs.File("out") : outputPath;
    const std::string errPath = outputs.File("err");
    ProgramResult result;
    {
        const OwnedHandle input(::CreateFileW(L"NUL", GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
        const OwnedHandle output = OpenOutput(outPath);
        const OwnedHandle error = OpenOutput(errPath);
        if (!input || !output || !error) {
            throw std::runtime_error("no standard handles for " + argv.at(0));
        }
        const OwnedHandle process(
            StartProcess(argv, input.Get(), output.Get(), error.Get(), workingDir));
        if (!process) {
            throw std::runtime_error("cannot start " + argv.at(0));
        }
        ::WaitForSingleObject(process.Get(), INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(process.Get(), &code);
        result.exitCode = static_cast<int>(code);
    }
    result.out = outputPath.empty() ? ReadFile(outPath) : std::string();
    result.err = ReadFile(errPath);
    return result;
}

}  // namespace tessaro::test
