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

// How wide a window must be for its caption with the title bar's buttons beside it: a
// window manager cuts a caption that does not fit ("Tessaro Datei…utzerabbruch").
int CaptionRoom(const QWidget& window, const QString& caption);

// Shows the box modally and returns the Windows answer.
BoxAnswer RunMessageBox(QWidget* owner, std::string_view text, std::string_view caption,
                        BoxStyle style);

}  // namespace tessaro
