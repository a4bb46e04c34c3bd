#pragma once

#include <memory>
#include <string_view>

#include <QMessageBox>

class QWidget;

namespace tessaro {

// A Qt message box with the meaning of a Windows one: the MB_* style decides icon and
// buttons, the buttons speak German, and CR LF or a lone CR break the text.
std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* owner, std::string_view text,
                                             std::string_view caption, unsigned style);

// The Windows answer (IDOK, IDYES, ...) for the button the user left the box with.
int AnswerOf(const QMessageBox& box);

// Shows the box modally and returns the Windows answer.
int RunMessageBox(QWidget* owner, std::string_view text, std::string_view caption, unsigned style);

}  // namespace tessaro
