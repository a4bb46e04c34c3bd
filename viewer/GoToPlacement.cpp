#include "GoToPlacement.h"

#include <algorithm>
#include <cstdlib>

namespace tessaro {

namespace {

bool Inside(const ScreenBox& box, const ScreenBox& screen) {
    return box.left >= screen.left && box.top >= screen.top && box.Right() <= screen.Right() &&
           box.Bottom() <= screen.Bottom();
}

// `start` moved as little as needed to keep a length of `size` within [low, high).
int Within(int start, int size, int low, int high) {
    return std::max(low, std::min(start, high - size));
}

bool IsCovered(const std::vector<bool>& covered, std::int32_t slot) {
    return slot >= 0 && static_cast<std::size_t>(slot) < covered.size() &&
           covered[static_cast<std::size_t>(slot)];
}

}  // namespace

std::optional<ScreenBox> PlaceBeside(const ScreenBox& owner, int width, int height,
                                     const ScreenBox& screen, int gap) {
    return PlaceBeside(owner, width, height, screen, gap, width, height);
}

std::optional<ScreenBox> PlaceBeside(const ScreenBox& owner, int width, int height,
                                     const ScreenBox& screen, int gap, int leastWidth,
                                     int leastHeight) {
    // Its own size first, then the room there is: beside the owner, then below or above it.
    for (const bool shrunk : {false, true}) {
        const int tall = shrunk ? std::min(height, screen.height) : height;
        const int wide = shrunk ? std::min(width, screen.width) : width;
        const int right = shrunk ? std::min(width, screen.Right() - owner.Right() - gap) : width;
        const int left = shrunk ? std::min(width, owner.left - gap - screen.left) : width;
        const int below =
            shrunk ? std::min(height, screen.Bottom() - owner.Bottom() - gap) : height;
        const int above = shrunk ? std::min(height, owner.top - gap - screen.top) : height;
        const int level = Within(owner.top, tall, screen.top, screen.Bottom());
        const int aligned = Within(owner.left, wide, screen.left, screen.Right());
        const ScreenBox candidates[] = {
            {owner.Right() + gap, level, right, tall},
            {owner.left - gap - left, level, left, tall},
            {aligned, owner.Bottom() + gap, wide, below},
            {aligned, owner.top - gap - above, wide, above},
        };
        for (const ScreenBox& candidate : candidates) {
            if (candidate.width >= leastWidth && candidate.height >= leastHeight &&
                Inside(candidate, screen)) {
                return candidate;
            }
        }
    }
    return std::nullopt;
}

std::int32_t TopRowShowingClear(std::int32_t row, const RowPage& page,
                                const std::vector<bool>& covered) {
    const std::int32_t fullSlots = std::max<std::int32_t>(page.fullSlots, 1);
    const std::int32_t shownSlots = std::max(page.shownSlots, fullSlots);
    const std::int32_t lastTop = std::max<std::int32_t>(0, page.rowCount - fullSlots);
    const std::int32_t shownSlot = row - page.top;
    if (shownSlot >= 0 && shownSlot < shownSlots && !IsCovered(covered, shownSlot)) {
        return page.top;
    }
    std::int32_t best = -1;
    for (std::int32_t slot = 0; slot < fullSlots; ++slot) {
        const std::int32_t top = row - slot;
        if (top < 0 || top > lastTop || IsCovered(covered, slot)) {
            continue;
        }
        if (best < 0 || std::abs(top - page.top) < std::abs(best - page.top)) {
            best = top;
        }
    }
    if (best >= 0) {
        return best;
    }
    // No uncovered slot can take it: in view at all, as the list itself would scroll.
    if (shownSlot >= 0 && shownSlot < shownSlots) {
        return page.top;
    }
    const std::int32_t top = row < page.top ? row : row - fullSlots + 1;
    return std::clamp(top, 0, lastTop);
}

}  // namespace tessaro
