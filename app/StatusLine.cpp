#include "StatusLine.h"

namespace tessaro {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextFormat(Qt::PlainText);
    setIndent(3);
    setAutoFillBackground(true);
}

void StatusLine::SetStatusText(const QString& text) {
    // Characters, not UTF-16 units: a character outside the BMP is never split.
    QString cut;
    int characters = 0;
    for (qsizetype i = 0; i < text.size() && characters < kMaxCharacters; ++i, ++characters) {
        cut += text[i];
        if (text[i].isHighSurrogate() && i + 1 < text.size()) {
            cut += text[++i];
        }
    }
    setText(cut);
}

}  // namespace tessaro
