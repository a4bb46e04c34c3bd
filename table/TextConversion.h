#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaro {

// The Windows code of a byte after the seven German letters of the DOS code page have been
// replaced (Ä Ö Ü ä ö ü ß); every other byte is returned unchanged.
char ConvertUmlaut(char dosByte);

// Table bytes are Windows-1252 text; inside the program text is UTF-8. This is the one
// place where the one becomes the other.
std::string Windows1252ToUtf8(std::string_view windows1252);

// The cell text of a stored character value in one pass: up to its first NUL and at most
// `maxCharacters` characters, DOS umlauts converted, in UTF-8. `out` must hold 3 bytes per
// character and 2 more; returns the bytes written.
std::size_t CharacterValueToUtf8Into(std::string_view stored, std::size_t maxCharacters, char* out);

// The same for a formatted Windows-1252 text: up to its first NUL, at most `maxCharacters`
// characters, in UTF-8.
std::size_t CellTextToUtf8Into(std::string_view windows1252, std::size_t maxCharacters, char* out);

// Whether the bytes are valid UTF-8 (shortest forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// A file name as a text shown to the user: its bytes when they are UTF-8, else each byte as
// Windows-1252 ("K\xe4se.dbf", named on an older system, reads "Käse.dbf"). The file is
// still opened by its bytes.
std::string ShownFileName(std::string_view name);

// The first `maxCharacters` characters of a UTF-8 text; a character is never split.
std::string_view CutToCharacters(std::string_view utf8, std::size_t maxCharacters);

// The text up to its first NUL: how a C string sees it.
std::string_view UpToFirstNul(std::string_view text);

}  // namespace tessaro
