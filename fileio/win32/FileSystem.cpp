#include "fileio/FileSystem.h"

#include <windows.h>

#include "fileio/win32/WideNames.h"

namespace tessaro {

namespace {

using os::SystemPath;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The length of the root in front of a path's components: "C:" of a drive, or
// "\\server\share" of a UNC path (also "\\?\C:" and "\\.\device"); 0 for none.
std::size_t RootLength(std::string_view path) {
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        std::size_t end = 2;
        for (int component = 0; component < 2 && end <= path.size(); ++component) {
            while (end < path.size() && !IsSeparator(path[end])) {
                ++end;
            }
            if (component == 0) {
                ++end;  // the separator between server and share
            }
        }
        return std::min(end, path.size());
    }
    const bool driveLetter =
        path.size() >= 2 && path[1] == ':' &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return driveLetter ? 2 : 0;
}

class Search {
public:
    explicit Search(const std::wstring& pattern)
        : handle_(::FindFirstFileW(pattern.c_str(), &found_)) {}
    ~Search() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            ::FindClose(handle_);
        }
    }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    bool Found() const { return handle_ != INVALID_HANDLE_VALUE; }
    const WIN32_FIND_DATAW& Entry() const { return found_; }
    bool Next() { return ::FindNextFileW(handle_, &found_) != 0; }

private:
    WIN32_FIND_DATAW found_{};
    HANDLE handle_;
};

bool IsFolder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// Hidden and system files are left out of the names a user works with, as the Windows
// tools leave them out.
bool IsHiddenOrSystem(DWORD attributes) {
    return (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

// Opens a file or folder only to ask about it: no data access, every share mode, so that
// a program holding the file with share mode 0 is neither disturbed nor in the way. A link
// is followed, as POSIX stat follows one.
HANDLE OpenForQuestions(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// A file or folder of a name, opened only to ask about it; not open when there is none.
class AskedFile {
public:
    explicit AskedFile(const std::string& name) {
        if (const std::optional<std::wstring> path = SystemPath(name)) {
            handle_ = OpenForQuestions(*path);
        }
    }
    ~AskedFile() {
        if (IsOpen()) {
            ::CloseHandle(handle_);
        }
    }
    AskedFile(const AskedFile&) = delete;
    AskedFile& operator=(const AskedFile&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Handle() const { return handle_; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

std::int64_t SizeThroughLink(const std::wstring& path) {
    const HANDLE file = OpenForQuestions(path);
    if (file == INVALID_HANDLE_VALUE) {
        return -1;
    }
    LARGE_INTEGER size{};
    const bool known = ::GetFileSizeEx(file, &size) != 0;
    ::CloseHandle(file);
    return known ? size.QuadPart : -1;
}

// The path by which the system knows an open file, links resolved; empty when the system
// cannot tell (some file systems cannot).
std::wstring FinalPath(HANDLE file) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(
            file, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
        if (length == 0) {
            return std::wstring();
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length);
    }
}

// Whether a file opened by `path` without following links is the folder entry of that
// name itself, and not a file elsewhere that a link there leads to. Windows opens a link
// itself when asked to; Wine follows a Linux symbolic link all the same, shows it as a
// plain file and would delete the file it leads to. Only the final path tells: it must
// be the folder's own final path and the entry's name, letter for letter. Both carry the
// case on disk, and on a Linux disk a link "K.tmp" may lead to another file "k.TMP".
bool IsTheEntryItself(HANDLE file, const std::wstring& path) {
    const std::wstring finalPath = FinalPath(file);
    if (finalPath.empty()) {
        // Nothing to compare: the handle, opened without following, is the entry itself
        // on Windows; Wine always tells the final path.
        return true;
    }
    const Search entry(path);
    std::wstring full(::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    wchar_t* namePart = nullptr;
    const DWORD length =
        ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), &namePart);
    if (!entry.Found() || length == 0 || length >= full.size() || namePart == nullptr) {
        return false;
    }
    full.resize(static_cast<std::size_t>(namePart - full.data()));  // the folder, with "\\"
    const HANDLE folder = OpenForQuestions(full);
    if (folder == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::wstring expected = FinalPath(folder);
    ::CloseHandle(folder);
    if (expected.empty()) {
        return false;
    }
    if (expected.back() != L'\\') {
        expected += L'\\';
    }
    return finalPath == expected + entry.Entry().cFileName;
}

}  // namespace

bool FileExists(const std::string& name) {
    os::KeepSystemErrorBoxesAway();
    const std::optional<std::wstring> path = SystemPath(name);
    if (!path) {
        return false;
    }
    const DWORD attributes = ::GetFileAttributesW(path->c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !IsHiddenOrSystem(attributes);
}

bool ExistsButIsNoFile(const std::string& name) {
    os::KeepSystemErrorBoxesAway();
    const AskedFile file(name);
    if (!file.IsOpen()) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileType(file.Handle()) != FILE_TYPE_DISK ||
           (::GetFileInformationByHandle(file.Handle(), &info) != 0 &&
            IsFolder(info.dwFileAttributes));
}

std::int64_t FindFileSize(const std::string& name) {
    os::KeepSystemErrorBoxesAway();
    const std::optional<std::wstring> path = SystemPath(name);
    if (!path) {
        return -1;
    }
    const Search search(*path);
    if (!search.Found()) {
        return -1;
    }
    const WIN32_FIND_DATAW& entry = search.Entry();
    if (IsFolder(entry.dwFileAttributes)) {
        return 0;
    }
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
        path->find_first_of(L"*?") == std::wstring::npos) {
        // The search tells the size of a symbolic link itself; the file it names counts.
        return SizeThroughLink(*path);
    }
    return static_cast<std::int64_t>(entry.nFileSizeHigh) << 32 | entry.nFileSizeLow;
}

std::uint32_t RemoveFile(const std::string& name) {
    os::KeepSystemErrorBoxesAway();
    const std::optional<std::wstring> path = SystemPath(name);
    if (!path) {
        return ERROR_INVALID_NAME;
    }
    // The entry itself, a link not followed; every share mode, as DeleteFile asks, so that
    // only a program that holds the file alone is in the way. A folder is not opened at all.
    const HANDLE file =
        ::CreateFileW(path->c_str(), DELETE | FILE_READ_ATTRIBUTES,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : error;
    }
    DWORD result = ERROR_ACCESS_DENIED;
    if (::GetFileType(file) == FILE_TYPE_DISK && IsTheEntryItself(file, *path)) {
        FILE_DISPOSITION_INFO disposition{TRUE};
        result = ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition,
                                              sizeof(disposition))
                     ? 0
                     : ::GetLastError();
    }
    ::CloseHandle(file);  // the file goes with its last handle
    return result;
}

bool SameFile(const std::string& first, const std::string& second) {
    os::KeepSystemErrorBoxesAway();
    const auto identify = [](const std::string& name, BY_HANDLE_FILE_INFORMATION& info) {
        const AskedFile file(name);
        return file.IsOpen() && ::GetFileInformationByHandle(file.Handle(), &info) != 0;
    };
    BY_HANDLE_FILE_INFORMATION a{};
    BY_HANDLE_FILE_INFORMATION b{};
    return identify(first, a) && identify(second, b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

std::size_t FileNameStart(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    const std::size_t afterSeparator = separator == std::string_view::npos ? 0 : separator + 1;
    return std::max(afterSeparator, RootLength(path));
}

// Windows compares names without regard to case itself: the name as given finds the
// entry, whatever case it is written in, and there can be no second one.
std::optional<std::string> FindNameIgnoringCase(const std::string& name) {
    if (FileNameStart(name) >= name.size()) {
        return std::nullopt;
    }
    os::KeepSystemErrorBoxesAway();
    const std::optional<std::wstring> path = SystemPath(name);
    // Wildcards would make the search find other names.
    if (!path || name.find_first_of("*?") != std::string::npos) {
        return std::nullopt;
    }
    // The search gives the name in the case it is written in the folder.
    const Search search(*path);
    if (!search.Found()) {
        return std::nullopt;
    }
    return name.substr(0, FileNameStart(name)) + os::Utf8FromWide(search.Entry().cFileName);
}

std::string_view Utf8TextFileStart() { return "\xEF\xBB\xBF"; }

std::vector<std::string> FindMatchingFiles(const std::string& pattern, std::size_t limit) {
    std::vector<std::string> names;
    os::KeepSystemErrorBoxesAway();
    const std::optional<std::wstring> wide = os::WideFromUtf8(pattern);
    if (!wide || wide->empty() || limit == 0) {
        return names;
    }
    Search search(*wide);
    for (bool more = search.Found(); more && names.size() < limit; more = search.Next()) {
        const WIN32_FIND_DATAW& entry = search.Entry();
        if (!IsFolder(entry.dwFileAttributes) && !IsHiddenOrSystem(entry.dwFileAttributes)) {
            names.push_back(os::Utf8FromWide(entry.cFileName));
        }
    }
    return names;
}

}  // namespace tessaro
