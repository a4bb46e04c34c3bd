#include "OwnerPlacement.h"

#include <QScreen>
#include <QWidget>

#include "viewer/GoToPlacement.h"

namespace tessaro {

namespace {

ScreenBox BoxOf(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

}  // namespace

bool MoveBesideOwner(QWidget& window, const QWidget& owner, int gap, QSize least) {
    const QRect outer = owner.frameGeometry();
    const QRect inner = owner.geometry();
    const QSize frame = outer.size() - inner.size();
    const QSize size = window.size() + frame;
    if (least.isEmpty()) {
        least = size;
    }
    const QScreen* screen = owner.screen();
    const std::optional<ScreenBox> beside =
        screen == nullptr
            ? std::nullopt
            : PlaceBeside(BoxOf(outer), size.width(), size.height(),
                          BoxOf(screen->availableGeometry()), gap, least.width(), least.height());
    if (beside) {
        window.move(beside->left, beside->top);
        if (QSize(beside->width, beside->height) != size) {
            window.resize(QSize(beside->width, beside->height) - frame);
        }
    }
    return beside.has_value();
}

}  // namespace tessaro
