#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

namespace tessaro::win32 {

// The menu "&Zeichensatz": "Automatisch" and every code page the program reads, some of
// them in submenus, each a radio item; one of them is checked.
class CodePageMenu {
public:
    // Puts the menu into the menu bar, in front of the menu at `position`.
    void Insert(HMENU bar, UINT position);

    // Whether a command comes from the menu, and the code page it chooses (none for
    // "Automatisch").
    static bool IsItem(int id);
    static std::optional<int> CodePageOf(int id);

    void Show(std::string_view automaticText, std::optional<int> chosen);

private:
    HMENU menu_ = nullptr;
};

}  // namespace tessaro::win32
