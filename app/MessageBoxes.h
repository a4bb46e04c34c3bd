#pragma once

#include <memory>
#include <string_view>

#include <QMessageBox>

#include "fileio/DesktopPort.h"

class QWidget;

namespace tessaro {

// A Qt message box with the meaning of a Windows one: the box style decides icon and
// buttons, the buttons speak German, and CR LF or a lone CR break the text.
std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* owner, std::string_view text,
                                             std::string_view caption, BoxStyle style);

// The Windows answer (BoxAnswer::Ok, BoxAnswer::Yes, ...) for the button that closed the
// box.
BoxAnswer AnswerOf(const QMessageBox& box);

// Shows the box modally and returns the Windows answer.
BoxAnswer RunMessageBox(QWidget* owner, std::string_view text, std::string_view caption,
                        BoxStyle style);

}  // namespace tessaro
