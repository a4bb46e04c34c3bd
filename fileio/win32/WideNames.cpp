#include "fileio/win32/WideNames.h"

#include <windows.h>

#include <climits>

namespace tessaro::os {

namespace {

// UTF-16 of UTF-8 text; `flags` says whether a byte that is not UTF-8 fails the whole text.
std::optional<std::wstring> Widened(std::string_view text, DWORD flags) {
    if (text.empty()) {
        return std::wstring();
    }
    if (text.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    const int bytes = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, flags, text.data(), bytes, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, flags, text.data(), bytes, wide.data(), length);
    return wide;
}

}  // namespace

std::optional<std::wstring> WideFromUtf8(std::string_view text) {
    return Widened(text, MB_ERR_INVALID_CHARS);
}

std::wstring ShownWide(std::string_view text) { return Widened(text, 0).value_or(std::wstring()); }

std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::string();
    }
    const int units = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return std::string();
    }
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), units, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

namespace {

bool HasLongPathPrefix(std::wstring_view path) { return path.starts_with(L"\\\\?\\"); }

// The absolute form of a long path with the prefix that lifts the length limit; the path
// as it was when that cannot be had.
std::wstring WithoutLengthLimit(const std::wstring& path) {
    const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return path;
    }
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        return path;
    }
    full.resize(length);
    if (full.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share\...
    }
    return L"\\\\?\\" + full;
}

// No file system of Windows holds a name longer than 255 UTF-16 units.
bool HasOverlongComponent(std::wstring_view path) {
    constexpr std::size_t kLongestName = 255;
    std::size_t length = 0;
    for (const wchar_t c : path) {
        length = c == L'\\' || c == L'/' ? 0 : length + 1;
        if (length > kLongestName) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<std::wstring> SystemPath(std::string_view path) {
    if (path.empty() || path.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    std::optional<std::wstring> wide = WideFromUtf8(path);
    if (wide && HasOverlongComponent(*wide)) {
        return std::nullopt;
    }
    if (wide && wide->size() >= MAX_PATH && !HasLongPathPrefix(*wide)) {
        *wide = WithoutLengthLimit(*wide);
    }
    return wide;
}

void KeepSystemErrorBoxesAway() {
    static const bool quiet = [] {
        ::SetErrorMode(::GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        return true;
    }();
    (void)quiet;
}

}  // namespace tessaro::os
