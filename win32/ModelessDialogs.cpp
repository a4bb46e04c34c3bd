#include "win32/ModelessDialogs.h"

#include <algorithm>
#include <string>
#include <vector>

#include "fileio/win32/WideNames.h"
#include "viewer/VersionInfo.h"
#include "viewer/Viewer.h"
#include "win32/OwnerPlacement.h"
#include "win32/WindowText.h"
#include "win32/resource.h"

namespace tessaro::win32 {

namespace {

// The program has one thread: its dialogs are noted here while they are open.
std::vector<HWND>& OpenDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

void Forget(HWND dialog) {
    std::vector<HWND>& dialogs = OpenDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

// What every modeless dialog does when it is closed and when it is gone.
INT_PTR ClosingProc(HWND dialog, UINT message) {
    if (message == WM_CLOSE) {
        ::DestroyWindow(dialog);
        return TRUE;
    }
    if (message == WM_DESTROY) {
        Forget(dialog);
        return TRUE;
    }
    return FALSE;
}

std::string FieldText(HWND dialog, int id) {
    const HWND field = ::GetDlgItem(dialog, id);
    const int length = ::GetWindowTextLengthW(field);
    if (length <= 0) {
        return std::string();
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(field, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return os::Utf8FromWide(text);
}

// Beside the main window, so that the rows it finds are never under it; where the
// template puts it (over the window's top left corner) only when the screen has no room.
void PlaceBesideOwner(HWND dialog) {
    RECT gap = {0, 0, 4, 4};
    ::MapDialogRect(dialog, &gap);
    MoveBesideOwner(dialog, ::GetWindow(dialog, GW_OWNER), gap.right);
}

Viewer* ViewerOf(HWND dialog) {
    return reinterpret_cast<Viewer*>(::GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR GoToDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            PlaceBesideOwner(dialog);
            return TRUE;  // the focus to the number field
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK: {
                    // "Suchen": the dialog stays open for the next search.
                    ViewerOf(dialog)->SearchRecord(FieldText(dialog, IDC_RECORD_NUMBER));
                    return TRUE;
                }
                case IDCANCEL: ::DestroyWindow(dialog); return TRUE;
                default: break;
            }
            break;
        default: break;
    }
    return ClosingProc(dialog, message);
}

// The width of the caption in the bold font of title bars.
int CaptionTextWidth(const std::wstring& caption) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return 0;
    }
    metrics.lfCaptionFont.lfWeight = FW_BOLD;
    const HFONT font = ::CreateFontIndirectW(&metrics.lfCaptionFont);
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(screen, font);
    SIZE size = {};
    ::GetTextExtentPoint32W(screen, caption.c_str(), static_cast<int>(caption.size()), &size);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(font);
    return size.cx;
}

BOOL CALLBACK MoveRight(HWND child, LPARAM by) {
    RECT rect = {};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    ::SetWindowPos(child, nullptr, rect.left + static_cast<int>(by), rect.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

// A box is at least as wide as its caption with the title bar's icon and buttons beside
// it (six caption heights for them and their margins): a window manager cuts a caption
// that does not fit ("über dies… ersion ..."). What it holds stays in the middle.
void MakeRoomForCaption(HWND dialog, const std::wstring& caption) {
    RECT outer = {};
    ::GetWindowRect(dialog, &outer);
    const int width = outer.right - outer.left;
    const int needed = CaptionTextWidth(caption) + 6 * ::GetSystemMetrics(SM_CYCAPTION) +
                       2 * ::GetSystemMetrics(SM_CXFIXEDFRAME);
    if (needed <= width) {
        return;
    }
    ::SetWindowPos(dialog, nullptr, 0, 0, needed, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::EnumChildWindows(dialog, MoveRight, (needed - width) / 2);
}

INT_PTR VersionBoxMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const std::wstring caption = os::ShownWide(kVersionCaption);
            ::SetWindowTextW(dialog, caption.c_str());
            for (std::size_t i = 0; i < kVersionLines.size(); ++i) {
                ::SetDlgItemTextW(dialog, IDC_ABOUT_LINE1 + static_cast<int>(i),
                                  os::ShownWide(kVersionLines[i]).c_str());
            }
            MakeRoomForCaption(dialog, caption);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_ABOUT_OK || LOWORD(wParam) == IDCANCEL) {
                ::DestroyWindow(dialog);
                return TRUE;
            }
            break;
        default: break;
    }
    return ClosingProc(dialog, message);
}

// A dialog's messages, with no exception passing through the system's code that called
// them. The viewer comes with WM_INITDIALOG; before, nothing is done that could fail.
template <INT_PTR (*handle)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK GuardedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Viewer* viewer =
        message == WM_INITDIALOG ? reinterpret_cast<Viewer*>(lParam) : ViewerOf(dialog);
    if (viewer == nullptr) {
        return FALSE;
    }
    return viewer->Guarded([&] { return handle(dialog, message, wParam, lParam); });
}

void Open(HINSTANCE instance, const wchar_t* name, HWND owner, DLGPROC procedure,
          LPARAM parameter) {
    const HWND dialog = ::CreateDialogParamW(instance, name, owner, procedure, parameter);
    if (dialog != nullptr) {
        OpenDialogs().push_back(dialog);
        ::ShowWindow(dialog, SW_SHOW);
    }
}

}  // namespace

void OpenGoToDialog(HINSTANCE instance, HWND owner, Viewer& viewer) {
    Open(instance, L"SETTEXT", owner, GuardedProc<GoToDialogMessage>,
         reinterpret_cast<LPARAM>(&viewer));
}

void OpenVersionBox(HINSTANCE instance, HWND owner, Viewer& viewer) {
    Open(instance, L"ABOUT", owner, GuardedProc<VersionBoxMessage>,
         reinterpret_cast<LPARAM>(&viewer));
}

bool RouteDialogMessage(MSG& message) {
    if (message.hwnd == nullptr) {
        return false;
    }
    const HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
    const std::vector<HWND>& dialogs = OpenDialogs();
    if (std::find(dialogs.begin(), dialogs.end(), root) == dialogs.end()) {
        return false;
    }
    return ::IsDialogMessageW(root, &message) != FALSE;
}

int OpenDialogCount() { return static_cast<int>(OpenDialogs().size()); }

std::vector<RECT> GoToDialogRects() {
    std::vector<RECT> rects;
    for (const HWND dialog : OpenDialogs()) {
        RECT rect = {};
        if (::GetDlgItem(dialog, IDC_RECORD_NUMBER) != nullptr && ::IsWindowVisible(dialog) &&
            ::GetWindowRect(dialog, &rect)) {
            rects.push_back(rect);
        }
    }
    return rects;
}

}  // namespace tessaro::win32
