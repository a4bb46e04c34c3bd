#include "TempDir.h"

#include "builder/TableBuilder.h"

namespace tessaro::test {

FolderSnapshot::FolderSnapshot(const std::string& folder)
    : folder_(folder), before_(Take(folder)) {}

std::map<std::string, FolderSnapshot::FileState> FolderSnapshot::Take(const std::string& folder) {
    std::map<std::string, FileState> files;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf(folder))) {
        if (entry.is_regular_file()) {
            files[Utf8Of(entry.path().filename())] = {ReadFile(Utf8Of(entry.path())),
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
