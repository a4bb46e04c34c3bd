#pragma once

#include <QString>
#include <QStringList>

namespace tessaro {

// The command that opens a text file in the desktop's text editor: the default application
// for plain text (empty files too, which a file manager would not call text), else one of
// the usual editors, else the desktop's opener. Empty when there is none.
QStringList TextEditorCommand(const QString& fileName);

// Starts the text editor on the file, detached; the outcome is not reported.
void StartTextEditorDetached(const QString& fileName);

}  // namespace tessaro
