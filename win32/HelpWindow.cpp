#include "win32/HelpWindow.h"

#include <richedit.h>

#include "fileio/SmallFile.h"
#include "viewer/Viewer.h"
#include "win32/HelpRtf.h"
#include "win32/OwnerPlacement.h"
#include "win32/WindowText.h"

namespace tessaro::win32 {

namespace {

constexpr const wchar_t* kClassName = L"TessaroHilfe";

// The rich text control of Windows XP SP1 and later; the older one where it is missing.
const wchar_t* RichTextClass() {
    static const wchar_t* const name = [] {
        if (::LoadLibraryW(L"msftedit.dll") != nullptr) {
            return L"RICHEDIT50W";
        }
        if (::LoadLibraryW(L"riched20.dll") != nullptr) {
            return L"RichEdit20W";
        }
        return static_cast<const wchar_t*>(nullptr);
    }();
    return name;
}

}  // namespace

void HelpWindow::Show(HINSTANCE instance, HWND owner, const std::string& helpFile, HFONT font,
                      int dpi) {
    if (window_ == nullptr && !Create(instance, owner, font, dpi)) {
        return;
    }
    const std::string html =
        ReadSmallFile(helpFile, Viewer::kHelpFileMaxBytes).value_or(std::string());
    shown_ = HelpTextFromHtml(html);
    const std::string& rtf = shown_.rtf;
    SETTEXTEX mode = {ST_DEFAULT, CP_ACP};
    ::SendMessageW(text_, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&mode),
                   reinterpret_cast<LPARAM>(rtf.c_str()));
    MarkLinks();
    ::SendMessageW(text_, EM_SETSEL, 0, 0);
    ::SendMessageW(text_, EM_SCROLLCARET, 0, 0);
    ::ShowWindow(window_, ::IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    ::SetForegroundWindow(window_);
    ::SetFocus(text_);
}

bool HelpWindow::Create(HINSTANCE instance, HWND owner, HFONT font, int dpi) {
    static const bool registered = [instance] {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = ::LoadIconW(instance, L"PROGRAM");
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) {
        return false;
    }
    window_ = ::CreateWindowExW(0, kClassName, L"Tessaro \u2013 Hilfe", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, ForDpi(560, dpi), ForDpi(640, dpi),
                                owner, nullptr, instance, this);
    if (window_ == nullptr) {
        return false;
    }
    // Beside the main window, which stays in sight (smaller where that takes it); over it
    // only when the screen has no room.
    if (!MoveBesideOwner(window_, owner, ForDpi(6, dpi),
                         SIZE{ForDpi(320, dpi), ForDpi(240, dpi)})) {
        RECT over = {};
        ::GetWindowRect(owner, &over);
        ::SetWindowPos(window_, nullptr, over.left + ForDpi(10, dpi), over.top + ForDpi(40, dpi), 0,
                       0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT client = {};
    ::GetClientRect(window_, &client);
    const wchar_t* const textClass = RichTextClass();
    text_ =
        textClass == nullptr
            ? nullptr
            : ::CreateWindowExW(
                  0, textClass, L"",
                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                  0, 0, client.right, client.bottom, window_, nullptr, instance, nullptr);
    if (text_ == nullptr) {
        ::DestroyWindow(window_);
        return false;
    }
    ::SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const int margin = ForDpi(8, dpi);
    ::SendMessageW(text_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELPARAM(margin, margin));
    return true;
}

void HelpWindow::MarkLinks() {
    CHARFORMAT2W link = {};
    link.cbSize = sizeof(link);
    link.dwMask = CFM_LINK;
    link.dwEffects = CFE_LINK;
    for (const HelpLink& each : shown_.links) {
        CHARRANGE range = {each.start, each.end};
        ::SendMessageW(text_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        ::SendMessageW(text_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&link));
    }
    // Clicks on links, and the keys (Escape closes the window).
    ::SendMessageW(text_, EM_SETEVENTMASK, 0, ENM_LINK | ENM_KEYEVENTS);
}

void HelpWindow::FollowLink(long position) {
    for (const HelpLink& link : shown_.links) {
        if (position < link.start || position >= link.end) {
            continue;
        }
        const auto anchor = shown_.anchors.find(link.target);
        if (anchor == shown_.anchors.end()) {
            return;
        }
        // Scrolled to the end first, the caret brought back into view is at the top.
        const auto end = ::GetWindowTextLengthW(text_);
        ::SendMessageW(text_, EM_SETSEL, end, end);
        ::SendMessageW(text_, EM_SCROLLCARET, 0, 0);
        ::SendMessageW(text_, EM_SETSEL, anchor->second, anchor->second);
        ::SendMessageW(text_, EM_SCROLLCARET, 0, 0);
        return;
    }
}

LRESULT HelpWindow::OnNotify(const NMHDR& header, LPARAM lParam) {
    if (header.hwndFrom != text_) {
        return 0;
    }
    if (header.code == EN_LINK) {
        const auto* link = reinterpret_cast<const ENLINK*>(lParam);
        if (link->msg == WM_LBUTTONUP) {
            FollowLink(link->chrg.cpMin);
        }
        return 0;
    }
    if (header.code == EN_MSGFILTER) {
        const auto* key = reinterpret_cast<const MSGFILTER*>(lParam);
        if (key->msg == WM_KEYDOWN && key->wParam == VK_ESCAPE) {
            ::PostMessageW(window_, WM_CLOSE, 0, 0);
            return 1;  // the control does not see it
        }
    }
    return 0;
}

LRESULT CALLBACK HelpWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<HelpWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_SIZE:
            if (self != nullptr && self->text_ != nullptr) {
                ::MoveWindow(self->text_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            }
            return 0;
        case WM_SETFOCUS:
            if (self != nullptr && self->text_ != nullptr) {
                ::SetFocus(self->text_);
            }
            return 0;
        case WM_NOTIFY:
            if (self != nullptr) {
                return self->OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
            }
            break;
        case WM_NCDESTROY:
            if (self != nullptr) {
                self->window_ = nullptr;
                self->text_ = nullptr;
            }
            break;
        default: break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tessaro::win32
