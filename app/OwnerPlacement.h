#pragma once

#include <QSize>

class QWidget;

namespace tessaro {

// Moves a window that is about to be shown beside the window `owner` on the owner's screen,
// `gap` pixels apart, as PlaceBeside chooses; its frame, known only once it is shown, is
// taken to be the owner's. A window that may be smaller, down to `least` (frame included),
// is made as small as the room beside the owner needs where its own size fits nowhere.
// False, and the window left where it is, when the screen has no room beside the owner.
bool MoveBesideOwner(QWidget& window, const QWidget& owner, int gap, QSize least = {});

}  // namespace tessaro
