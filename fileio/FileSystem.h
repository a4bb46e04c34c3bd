#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Questions to the file system about names, and the one deletion the program makes. One
// implementation per system, like the file layer.
namespace tessaro {

// True when a file or folder of that name exists (on Windows neither hidden nor system).
bool FileExists(const std::string& name);

// True when something of that name is there that is no plain file, links followed: a
// folder, a device, a FIFO, a socket. No table can be read from it.
bool ExistsButIsNoFile(const std::string& name);

// The size of the file of that name, 0 for a folder, -1 when there is none.
std::int64_t FindFileSize(const std::string& name);

// Deletes an old file so that a new one can take its name: a file, or a link itself, never
// what a link points to. A name that the system shows as a file although it is a link
// (Wine shows a Linux symbolic link so) is left alone, as a folder is. Returns 0 when the
// file is gone or was not there, otherwise the Win32 code of why it is still there
// (ERROR_SHARING_VIOLATION while another program holds it).
std::uint32_t RemoveFile(const std::string& name);

// True when both names exist and name one and the same file (also through a hard or
// symbolic link, or another spelling of the path).
bool SameFile(const std::string& first, const std::string& second);

// Where the last component of a path begins: behind the last separator (on Windows "\" and
// "/", and behind a drive such as "C:"), 0 when there is none.
std::size_t FileNameStart(std::string_view path);

// The name of the one entry beside `name` (in the same folder) that equals it when letters
// are compared without regard to case, as Windows would find it, as it is written there;
// none when there is no such entry or more than one.
std::optional<std::string> FindNameIgnoringCase(const std::string& name);

// What a text file in UTF-8 begins with on this system: on Windows the byte order mark,
// which Notepad of every Windows version needs to read it as UTF-8; elsewhere nothing.
std::string_view Utf8TextFileStart();

// The names of the files in the current folder that match a wildcard pattern such as
// "*.dbf", letters compared without regard to case as Windows does; only plain files
// count, not folders, FIFOs or devices.
// Stops after `limit` names.
std::vector<std::string> FindMatchingFiles(const std::string& pattern, std::size_t limit);

}  // namespace tessaro
