#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// An opaque window of the front end: the owner of a message box. nullptr means no owner.
using WindowHandle = void*;

// Message box styles and answers keep the values of the Windows API, so that tests can
// assert exactly what the user is shown and a native Windows front end can pass them on.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_RETRYCANCEL = 0x05;
inline constexpr unsigned MB_ICONHAND = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_TYPEMASK = 0x0F;
inline constexpr unsigned MB_ICONMASK = 0xF0;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDRETRY = 4;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// What the portable core needs of the desktop it runs on. The Qt front end implements it
// with real widgets; tests use a scripted fake; the command-line tool writes to stderr.
class DesktopPort {
public:
    virtual ~DesktopPort() = default;

    // Shows a modal box (texts in UTF-8; CR LF or CR break lines) and returns the button
    // the user pressed (IDOK, IDCANCEL, ...), or 0 when no box could be shown.
    virtual int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                           unsigned style) = 0;

    // Starts the desktop's text editor on a file without waiting for it; the outcome of
    // the start is not reported.
    virtual void StartTextEditor(const std::string& fileName) = 0;
};

}  // namespace tessaro
