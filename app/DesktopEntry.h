#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessaro {

// What a desktop entry (a .desktop file) says about starting its program.
struct DesktopEntryCommand {
    std::vector<std::string> argv;  // the Exec line with the file put in
    bool terminal = false;          // Terminal=true: needs a terminal window
};

// Reads the [Desktop Entry] group of a desktop file's text and builds the argument vector
// that opens `filePath` with it: the Exec line split by its quoting rules, %f %F %u %U
// replaced by the file, the other field codes dropped. None when there is no usable Exec
// line (or the entry is hidden).
std::optional<DesktopEntryCommand> CommandFromDesktopEntry(const std::string& entryText,
                                                           const std::string& filePath);

}  // namespace tessaro
