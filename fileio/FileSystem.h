#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Questions to the file system about names, and the one deletion the program makes.
namespace tessaro {

// True when a file, folder or link of that name exists.
bool FileExists(const std::string& name);

// The size of the file of that name, 0 for a folder, -1 when there is none.
std::int64_t FindFileSize(const std::string& name);

// Deletes a file; a link is removed, never what it points to. Failures are not reported.
void DeleteFile(const std::string& name);

// The name of the one entry beside `name` (in the same folder) that equals it when letters
// are compared without regard to case, as Windows would find it; none when there is no such
// entry or more than one.
std::optional<std::string> FindNameIgnoringCase(const std::string& name);

// The names of the files in the current folder that match a wildcard pattern such as
// "*.dbf", letters compared without regard to case as Windows does; folders do not count.
// Stops after `limit` names.
std::vector<std::string> FindMatchingFiles(const std::string& pattern, std::size_t limit);

}  // namespace tessaro
