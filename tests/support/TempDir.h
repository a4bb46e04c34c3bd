#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace tessaro::test {

// A fresh folder that is removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + kSeparator + name; }

#ifdef _WIN32
    static constexpr char kSeparator = '\\';
#else
    static constexpr char kSeparator = '/';
#endif

private:
    std::string path_;
};

// Holds the bytes and modification times of every file in a folder, to show afterwards that
// reading changed none of them and that nothing appeared but what may appear.
class FolderSnapshot {
public:
    explicit FolderSnapshot(const std::string& folder);

    // Empty when the folder is as it was; otherwise what changed. Files whose names end in
    // one of `mayAppear` may have been created or changed.
    std::string Differences(const std::string& mayAppearSuffix = "") const;

private:
    struct FileState {
        std::string bytes;
        std::filesystem::file_time_type modified;
    };
    static std::map<std::string, FileState> Take(const std::string& folder);

    std::string folder_;
    std::map<std::string, FileState> before_;
};

}  // namespace tessaro::test
