#include "win32/OwnerPlacement.h"

#include "viewer/GoToPlacement.h"

namespace tessaro::win32 {

namespace {

ScreenBox BoxOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

bool MoveBesideOwner(HWND window, HWND owner, int gap, SIZE least) {
    RECT outer = {};
    RECT own = {};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (owner == nullptr || !::GetWindowRect(owner, &outer) || !::GetWindowRect(window, &own) ||
        !::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return false;
    }
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const std::optional<ScreenBox> beside =
        PlaceBeside(BoxOf(outer), width, height, BoxOf(monitor.rcWork), gap,
                    least.cx > 0 ? least.cx : width, least.cy > 0 ? least.cy : height);
    if (beside) {
        ::SetWindowPos(window, nullptr, beside->left, beside->top, beside->width, beside->height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return beside.has_value();
}

}  // namespace tessaro::win32
