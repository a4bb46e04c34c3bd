#include "support/win32/Process.h"

#include <memory>

#include "fileio/win32/WideNames.h"

namespace tessaro::test {

namespace {

void AppendQuoted(std::wstring& line, const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += argument;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a quote follows them.
        line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(2 * backslashes, L'\\');  // before the closing quote
    line += L'"';
}

}  // namespace

std::wstring CommandLineOf(const std::vector<std::string>& argv) {
    std::wstring line;
    for (const std::string& argument : argv) {
        if (!line.empty()) {
            line += L' ';
        }
        AppendQuoted(line, os::WideFromUtf8(argument).value_or(L"?"));
    }
    return line;
}

HANDLE StartProcess(const std::vector<std::string>& argv, HANDLE input, HANDLE output, HANDLE error,
                    const std::string& workingDir) {
    HANDLE inherited[] = {input, output, error};
    for (const HANDLE handle : inherited) {
        ::SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
    // Only these three handles go to the child, also while another thread starts a
    // program of its own.
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    auto storage = std::make_unique<char[]>(size);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.get());
    if (!::InitializeProcThreadAttributeList(attributes, 1, 0, &size)) {
        return nullptr;
    }
    ::UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                sizeof inherited, nullptr, nullptr);
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input;
    startup.StartupInfo.hStdOutput = output;
    startup.StartupInfo.hStdError = error;
    startup.lpAttributeList = attributes;

    const std::wstring program = os::WideFromUtf8(argv.at(0)).value_or(L"");
    std::wstring commandLine = CommandLineOf(argv);
    const std::optional<std::wstring> folder = os::WideFromUtf8(workingDir);
    PROCESS_INFORMATION started{};
    const BOOL ok = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                     CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT, nullptr,
                                     workingDir.empty() || !folder ? nullptr : folder->c_str(),
                                     &startup.StartupInfo, &started);
    ::DeleteProcThreadAttributeList(attributes);
    for (const HANDLE handle : inherited) {
        ::SetHandleInformation(handle, HANDLE_FLAG_INHERIT, 0);
    }
    if (!ok) {
        return nullptr;
    }
    ::CloseHandle(started.hThread);
    return started.hProcess;
}

}  // namespace tessaro::test
