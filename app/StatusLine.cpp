#include "StatusLine.h"

namespace tessaro {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextFormat(Qt::PlainText);
    setIndent(3);
    setAutoFillBackground(true);
}

}  // namespace tessaro
