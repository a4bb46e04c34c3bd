#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "fileio/win32/WideNames.h"
#include "support/win32/Process.h"

// Small helpers of the Windows tests: they ask Windows directly, not through the layer
// under test.
namespace tessaro::test {

inline std::wstring Wide(const std::string& utf8) { return os::WideFromUtf8(utf8).value_or(L""); }

inline DWORD AttributesOf(const std::string& path) {
    return ::GetFileAttributesW(Wide(path).c_str());
}

inline bool AddAttributes(const std::string& path, DWORD attributes) {
    const DWORD now = AttributesOf(path);
    return now != INVALID_FILE_ATTRIBUTES &&
           ::SetFileAttributesW(Wide(path).c_str(), (now & ~FILE_ATTRIBUTE_NORMAL) | attributes) !=
               0;
}

// A symbolic link where Windows lets this user make one (Windows 10 in developer mode, or
// with the privilege); false where it cannot, or where the system only pretends (Wine 8
// reports success and makes none).
inline bool MakeSymbolicLink(const std::string& link, const std::string& target) {
    constexpr DWORD kAllowUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    ::CreateSymbolicLinkW(Wide(link).c_str(), Wide(target).c_str(), kAllowUnprivileged);
    const DWORD attributes = AttributesOf(link);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Under Wine: the Linux path of a Windows path, or the Windows path of a Linux one. Empty on
// Windows, which has no such thing.
inline std::string LinuxPathUnderWine(const std::string& path) {
    using ToLinux = char*(CDECL*)(const wchar_t*);
    const auto toLinux = reinterpret_cast<ToLinux>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* const name = toLinux != nullptr ? toLinux(Wide(path).c_str()) : nullptr;
    const std::string result = name != nullptr ? name : "";
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

inline std::string WindowsPathUnderWine(const std::string& linuxPath) {
    using ToWindows = wchar_t*(CDECL*)(const char*);
    const auto toWindows = reinterpret_cast<ToWindows>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    wchar_t* const name = toWindows != nullptr ? toWindows(linuxPath.c_str()) : nullptr;
    const std::string result = name != nullptr ? os::Utf8FromWide(name) : "";
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

// Under Wine: runs a Linux program such as /bin/ln until `done` holds (Wine starts it
// without a process to wait for), for at most ten seconds; false when it could not start.
template <typename Condition>
bool RunLinuxProgramUntil(const std::vector<std::string>& argv, Condition done) {
    const std::string program = WindowsPathUnderWine(argv.at(0));
    if (program.empty()) {
        return false;
    }
    std::vector<std::string> windowsArgv = argv;
    windowsArgv[0] = program;
    std::wstring commandLine = CommandLineOf(windowsArgv);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(Wide(program).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &startup, &started)) {
        return false;
    }
    if (started.hProcess != nullptr) {
        ::CloseHandle(started.hProcess);
        ::CloseHandle(started.hThread);
    }
    for (int waited = 0; !done() && waited < 1000; ++waited) {
        ::Sleep(10);
    }
    return done();
}

// Under Wine: a symbolic link made on the Linux side, as a Linux user or program makes one
// (Wine shows it to Windows programs as the file it points to); false on Windows.
inline bool MakeLinuxSymbolicLink(const std::string& link, const std::string& target) {
    const std::string linuxLink = LinuxPathUnderWine(link);
    const std::string linuxTarget = LinuxPathUnderWine(target);
    return !linuxLink.empty() && !linuxTarget.empty() &&
           RunLinuxProgramUntil({"/bin/ln", "-s", linuxTarget, linuxLink},
                                [&] { return AttributesOf(link) != INVALID_FILE_ATTRIBUTES; });
}

// Whether Windows opens anything of that name, only to ask about it. (Wine gives a Linux
// FIFO no attributes, but opens it.)
inline bool Opens(const std::string& path) {
    const HANDLE file = ::CreateFileW(Wide(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::CloseHandle(file);
    return true;
}

// Under Wine: a FIFO made on the Linux side, and its removal, which Wine cannot do (nor can
// a test's folder be removed while it holds one); false on Windows.
inline bool MakeLinuxFifo(const std::string& path) {
    const std::string linuxPath = LinuxPathUnderWine(path);
    return !linuxPath.empty() &&
           RunLinuxProgramUntil({"/usr/bin/mkfifo", linuxPath}, [&] { return Opens(path); });
}

inline bool RemoveLinuxFifo(const std::string& path) {
    return RunLinuxProgramUntil({"/bin/rm", LinuxPathUnderWine(path)},
                                [&] { return !Opens(path); });
}

// The names in a folder, as Windows lists them.
inline std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileW((Wide(folder) + L"\\*").c_str(), &entry);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &entry)) {
        const std::string name = os::Utf8FromWide(entry.cFileName);
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    if (search != INVALID_HANDLE_VALUE) {
        ::FindClose(search);
    }
    return names;
}

// Under Wine: removes a Linux symbolic link itself, which Wine cannot.
inline bool RemoveLinuxSymbolicLink(const std::string& link) {
    return RunLinuxProgramUntil({"/bin/rm", LinuxPathUnderWine(link)},
                                [&] { return AttributesOf(link) == INVALID_FILE_ATTRIBUTES; });
}

// The current folder for the time of a scope.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder) {
        wchar_t previous[MAX_PATH + 1];
        const DWORD length = ::GetCurrentDirectoryW(MAX_PATH + 1, previous);
        previous_.assign(previous, length <= MAX_PATH ? length : 0);
        ::SetCurrentDirectoryW(Wide(folder).c_str());
    }
    ~CurrentFolder() { ::SetCurrentDirectoryW(previous_.c_str()); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::wstring previous_;
};

}  // namespace tessaro::test
