#pragma once

#include <QLabel>

namespace tessaro {

// The one-part status line along the bottom of the window.
class StatusLine final : public QLabel {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent);
};

}  // namespace tessaro
