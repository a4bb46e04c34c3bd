#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tessaro {

// Keeping the list in sight: where a go-to dialog (and the help window) opens, and where the
// record list scrolls so that the row found is not under any go-to dialog.

// A rectangle on the screen, in pixels.
struct ScreenBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
};

// Where a dialog of `width` x `height` (frame included) opens beside the window `owner`
// on the screen's work area `screen`, `gap` pixels apart: to its right, else to its left,
// else below it, else above it, level with its top (or left) edge as far as the screen
// allows. None when there is no room beside the window (a window that fills the screen).
std::optional<ScreenBox> PlaceBeside(const ScreenBox& owner, int width, int height,
                                     const ScreenBox& screen, int gap);
// The same for a window that may be smaller, down to `leastWidth` x `leastHeight`: where
// its size fits beside the owner nowhere, it takes the room there is on the first of those
// sides that has room for its least size.
std::optional<ScreenBox> PlaceBeside(const ScreenBox& owner, int width, int height,
                                     const ScreenBox& screen, int gap, int leastWidth,
                                     int leastHeight);

// What the record list shows, counted in rows.
struct RowPage {
    std::int32_t top = 0;         // the row in the first slot
    std::int32_t fullSlots = 0;   // slots whose row is shown whole
    std::int32_t shownSlots = 0;  // slots shown at all: the last one may be cut
    std::int32_t rowCount = 0;
};

// The top row that shows `row` in a slot that no dialog covers (`covered[s]` for slot s),
// moving the list as little as possible: the top as it is when the row is in an uncovered
// slot already (a cut row counts as shown), else the nearest top that puts it whole into
// an uncovered slot. When no top does (a dialog over the first rows, and the row is one of
// them), the least scrolling that brings the row into view at all.
std::int32_t TopRowShowingClear(std::int32_t row, const RowPage& page,
                                const std::vector<bool>& covered);

}  // namespace tessaro
