#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What the Win32 front end makes of the viewer's texts and sizes before it hands them to
// Windows: the parts with rules of their own, kept apart from the calls so that they are
// tested on their own.
namespace tessaro::win32 {

// A message box text: the viewer breaks lines with CR LF or a lone CR; a box of Windows
// breaks them at LF, never at a lone CR.
std::wstring MessageBoxText(std::string_view utf8);

// The open dialog's filter: "description|pattern|..." becomes the list of NUL-terminated
// strings, ended by one more NUL, that the dialog takes. A trailing description without
// its pattern is left out.
std::wstring OpenDialogFilter(std::string_view filter);

// The command line that starts the editor on a file: both quoted, so that blanks and
// every other character of a name stay in one argument. The name's "/" are written "\"
// and a name that begins with "-" is given as ".\name", so that it is never read as an
// option.
std::wstring EditorCommandLine(std::wstring_view editor, std::wstring_view fileName);

// A value in pixels at 96 DPI, for a screen of `dpi`.
int ForDpi(int value, int dpi);

// Copies a cell's text for the list into `buffer` of `capacity` units, NUL-terminated:
// without trailing blanks (they would bring on the ellipsis of a value that fits), and cut
// to the buffer without splitting a character. Returns the units written.
std::size_t CopyCellText(std::string_view utf8, wchar_t* buffer, std::size_t capacity);

}  // namespace tessaro::win32
