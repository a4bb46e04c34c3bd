#pragma once

#include <optional>
#include <string>
#include <string_view>

// Names are UTF-8 inside the program and UTF-16 at every call to Windows.
namespace tessaro::os {

// The UTF-16 form of a UTF-8 text; none when the text is not valid UTF-8.
std::optional<std::wstring> WideFromUtf8(std::string_view text);

// The UTF-16 form of a text to be shown: a byte that is not UTF-8 becomes U+FFFD instead of
// losing the whole text.
std::wstring ShownWide(std::string_view text);

// The UTF-8 form of a UTF-16 text (an unpaired surrogate becomes U+FFFD).
std::string Utf8FromWide(std::wstring_view text);

// A path as the ...W functions take it; none for a name no file can have (empty, not
// UTF-8, with a NUL in it, or with a component longer than 255 characters). A path too
// long for the classic limit of 260 characters is made absolute and given the prefix
// \\?\ that lifts the limit.
std::optional<std::wstring> SystemPath(std::string_view path);

// Tells Windows, once per process, to report a drive without a disk or an unreadable
// medium to the caller instead of showing a critical-error box of its own: the program
// has its own boxes for that.
void KeepSystemErrorBoxesAway();

}  // namespace tessaro::os
