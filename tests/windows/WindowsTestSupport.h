#pragma once

#include <windows.h>

#include <string>

#include "fileio/win32/WideNames.h"

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
