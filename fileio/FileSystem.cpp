#include "FileSystem.h"

#include <dirent.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace tessaro {

bool FileExists(const std::string& name) {
    struct stat info {};
    return !name.empty() && ::lstat(name.c_str(), &info) == 0;
}

std::int64_t FindFileSize(const std::string& name) {
    struct stat info {};
    if (name.empty() || ::stat(name.c_str(), &info) != 0) {
        return -1;
    }
    return S_ISDIR(info.st_mode) ? 0 : static_cast<std::int64_t>(info.st_size);
}

void DeleteFile(const std::string& name) { ::unlink(name.c_str()); }

std::optional<std::string> FindNameIgnoringCase(const std::string& name) {
    const std::size_t slash = name.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : name.substr(0, slash + 1);
    const std::string prefix = slash == std::string::npos ? "" : folder;
    const std::string wanted = slash == std::string::npos ? name : name.substr(slash + 1);
    if (wanted.empty()) {
        return std::nullopt;
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
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

}  // namespace tessaro

namespace tessaro {

std::vector<std::string> FindMatchingFiles(const std::string& pattern, std::size_t limit) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir("."), ::closedir);
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
        struct stat info {};
        if (::stat(entry->d_name, &info) == 0 && S_ISDIR(info.st_mode)) {
            continue;
        }
        names.emplace_back(entry->d_name);
    }
    return names;
}

}  // namespace tessaro
