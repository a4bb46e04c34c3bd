#pragma once

#include <windows.h>

#include <string>

#include "win32/HelpRtf.h"

namespace tessaro::win32 {

// The help document in a window of the program: a read-only rich text control with the
// document's text, headings and lists. There is one such window; asked again, it comes to
// the front.
class HelpWindow {
public:
    HelpWindow() = default;
    HelpWindow(const HelpWindow&) = delete;
    HelpWindow& operator=(const HelpWindow&) = delete;

    void Show(HINSTANCE instance, HWND owner, const std::string& helpFile, HFONT font, int dpi);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Create(HINSTANCE instance, HWND owner, HFONT font, int dpi);
    // The links of the document as links of the control, which reports their clicks.
    void MarkLinks();
    // A click on a link: the anchor it leads to at the top of the window.
    void FollowLink(long position);
    LRESULT OnNotify(const NMHDR& header, LPARAM lParam);

    HWND window_ = nullptr;
    HWND text_ = nullptr;
    HelpText shown_;
};

}  // namespace tessaro::win32
