#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// An opaque window of the front end: the owner of a message box. nullptr means no owner.
using WindowHandle = void*;

// The buttons and the icon of a message box. They keep the values of the Windows API style
// bits, so that tests assert exactly what the user is shown and a native Windows front end
// passes them on unchanged; the names are not those of <windows.h>, whose macros they
// would clash with.
enum class BoxButtons : unsigned { Ok = 0x00, YesNo = 0x04, RetryCancel = 0x05 };
enum class BoxIcon : unsigned {
    None = 0x00,
    Stop = 0x10,
    Question = 0x20,
    Exclamation = 0x30,
    Information = 0x40,
};

struct BoxStyle {
    BoxButtons buttons = BoxButtons::Ok;
    BoxIcon icon = BoxIcon::None;

    // The style as the Windows API writes it (MB_OK | MB_ICONHAND is 0x10).
    constexpr unsigned WindowsValue() const {
        return static_cast<unsigned>(buttons) | static_cast<unsigned>(icon);
    }
    friend constexpr bool operator==(BoxStyle, BoxStyle) = default;
};

constexpr BoxStyle operator|(BoxButtons buttons, BoxIcon icon) { return {buttons, icon}; }

// The button a box was left with, by the Windows API's numbers; None when no box could be
// shown.
enum class BoxAnswer : int { None = 0, Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

// What a user who gives up answers: Cancel to a retry box, No to a question, else OK.
constexpr BoxAnswer GiveUpAnswer(BoxStyle style) {
    switch (style.buttons) {
        case BoxButtons::RetryCancel: return BoxAnswer::Cancel;
        case BoxButtons::YesNo: return BoxAnswer::No;
        case BoxButtons::Ok: break;
    }
    return BoxAnswer::Ok;
}

// What the portable core needs of the desktop it runs on. The front ends implement it with
// real boxes; tests use a scripted fake; the command-line tool writes to standard error.
class DesktopPort {
public:
    virtual ~DesktopPort() = default;

    // Shows a modal box (texts in UTF-8; CR LF or CR break lines) and returns the button
    // the user pressed.
    virtual BoxAnswer ShowMessageBox(WindowHandle owner, std::string_view text,
                                     std::string_view caption, BoxStyle style) = 0;

    // Starts the desktop's text editor on a file without waiting for it; the outcome of
    // the start is not reported.
    virtual void StartTextEditor(const std::string& fileName) = 0;
};

}  // namespace tessaro
