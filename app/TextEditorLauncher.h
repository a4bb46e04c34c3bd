#pragma once

#include <string>
#include <vector>

namespace tessaro {

// The file name as an editor must get it: the very bytes of the name that was written, and
// "./" before a relative name that begins with "-", which any editor would take for an
// option.
std::string EditorFileArgument(const std::string& fileName);

// The command (program path first, then its arguments, as bytes) that opens a text file in
// the desktop's text editor: the default application for plain text (empty files too,
// which a file manager would not call text), else one of the usual editors, else the
// desktop's opener. Empty when there is none.
std::vector<std::string> TextEditorCommand(const std::string& fileName);

// Starts the text editor on the file, detached; the outcome is not reported.
void StartTextEditorDetached(const std::string& fileName);

}  // namespace tessaro
