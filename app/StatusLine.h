#pragma once

#include <QLabel>

namespace tessaro {

// The one-part status line along the bottom of the window.
class StatusLine final : public QLabel {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent);

    // Shows at most the first 254 characters of the text.
    void SetStatusText(const QString& text);

    static constexpr int kMaxCharacters = 254;
};

}  // namespace tessaro
