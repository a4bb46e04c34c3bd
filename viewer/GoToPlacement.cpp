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
    const int level = Within(owner.top, height, screen.top, screen.Bottom());
    const int aligned = Within(owner.left, width, screen.left, screen.Right());
    const ScreenBox candidates[] = {
        {owner.Right() + gap, level, width, height},
        {owner.left - gap - width, level, width, height},
        {aligned, owner.Bottom() + gap, width, height},
        {aligned, owner.top - gap - height, width, height},
    };
    for (const ScreenBox& candidate : candidates) {
        if (Inside(candidate, screen)) {
            return candidate;
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
