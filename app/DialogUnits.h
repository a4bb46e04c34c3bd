#pragma once

#include <QFontMetrics>
#include <QRect>

namespace tessaro {

// Dialog units of the Windows dialog templates: a quarter of the average character width
// and an eighth of the character height of the dialog's font.
class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics& metrics)
        : x_(metrics.averageCharWidth()), y_(metrics.height()) {}

    int X(int units) const { return (units * x_ + 2) / 4; }
    int Y(int units) const { return (units * y_ + 4) / 8; }
    QRect Rect(int x, int y, int width, int height) const {
        return QRect(X(x), Y(y), X(width), Y(height));
    }

private:
    int x_;
    int y_;
};

}  // namespace tessaro
