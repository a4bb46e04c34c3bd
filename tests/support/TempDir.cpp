#include "TempDir.h"

#include <stdlib.h>

#include <stdexcept>

#include "builder/TableBuilder.h"

namespace tessaro::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessaro-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Files a test made read-only must still go.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

FolderSnapshot::FolderSnapshot(const std::string& folder) : folder_(folder), before_(Take(folder)) {}

std::map<std::string, FolderSnapshot::FileState> FolderSnapshot::Take(const std::string& folder) {
    std::map<std::string, FileState> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[entry.path().filename().string()] = {ReadFile(entry.path().string()),
                                                       entry.last_write_time()};
        }
    }
    return files;
}

std::string FolderSnapshot::Differences(const std::string& mayAppearSuffix) const {
    const auto may = [&](const std::string& name) {
        return !mayAppearSuffix.empty() && name.size() >= mayAppearSuffix.size() &&
               name.compare(name.size() - mayAppearSuffix.size(), mayAppearSuffix.size(),
                            mayAppearSuffix) == 0;
    };
    std::string differences;
    const auto after = Take(folder_);
    for (const auto& [name, state] : before_) {
        const auto found = after.find(name);
        if (found == after.end()) {
            differences += name + " removed; ";
        } else if (!may(name) && (found->second.bytes != state.bytes ||
                                  found->second.modified != state.modified)) {
            differences += name + " changed; ";
        }
    }
    for (const auto& [name, state] : after) {
        if (before_.count(name) == 0 && !may(name)) {
            differences += name + " appeared; ";
        }
    }
    return differences;
}

}  // namespace tessaro::test
