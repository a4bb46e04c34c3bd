#include "fileio/FileSystem.h"

#include <dirent.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "fileio/posix/ErrnoCodes.h"

namespace tessaro {

namespace {

using Folder = std::unique_ptr<DIR, int (*)(DIR*)>;

Folder OpenFolder(const std::string& path) { return Folder(::opendir(path.c_str()), ::closedir); }

}  // namespace

bool FileExists(const std::string& name) {
    struct stat info {};
    return !name.empty() && ::lstat(name.c_str(), &info) == 0;
}

bool ExistsButIsNoFile(const std::string& name) {
    struct stat info {};
    return !name.empty() && ::stat(name.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

std::int64_t FindFileSize(const std::string& name) {
    struct stat info {};
    if (name.empty() || ::stat(name.c_str(), &info) != 0) {
        return -1;
    }
    return S_ISDIR(info.st_mode) ? 0 : static_cast<std::int64_t>(info.st_size);
}

std::uint32_t RemoveFile(const std::string& name) {
    if (::unlink(name.c_str()) == 0 || errno == ENOENT || errno == ENOTDIR) {
        return 0;
    }
    return os::Win32CodeFromErrno(errno);
}

bool SameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::size_t FileNameStart(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

std::optional<std::string> FindNameIgnoringCase(const std::string& name) {
    const std::size_t start = FileNameStart(name);
    const std::string prefix = name.substr(0, start);
    const std::string wanted = name.substr(start);
    if (wanted.empty()) {
        return std::nullopt;
    }
    const Folder dir = OpenFolder(prefix.empty() ? "." : prefix);
    if (!dir) {
        return std::nullopt;
    }
    std::optional<std::string> found;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (::strcasecmp(entry->d_name, wanted.c_str()) != 0) {
            continue;
        }
        if (found) {
            return std::nullopt;  // two candidates: neither is the one
        }
        found = prefix + entry->d_name;
    }
    return found;
}

std::string_view Utf8TextFileStart() { return {}; }

std::vector<std::string> FindMatchingFiles(const std::string& pattern, std::size_t limit) {
    std::vector<std::string> names;
    const Folder dir = OpenFolder(".");
    if (!dir) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        if (names.size() >= limit) {
            break;
        }
        if (::fnmatch(pattern.c_str(), entry->d_name, FNM_CASEFOLD | FNM_PERIOD) != 0) {
            continue;
        }
        if (ExistsButIsNoFile(entry->d_name)) {
            continue;
        }
        names.emplace_back(entry->d_name);
    }
    return names;
}

}  // namespace tessaro
