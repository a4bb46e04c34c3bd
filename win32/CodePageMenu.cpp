#include "win32/CodePageMenu.h"

#include <map>
#include <string>

#include "fileio/win32/WideNames.h"
#include "table/CodePage.h"
#include "win32/resource.h"

namespace tessaro::win32 {

namespace {

int ItemCount() { return static_cast<int>(KnownCodePages().size()); }

// A "&" of a file's name is no key of the menu.
std::wstring MenuText(std::string_view utf8) {
    std::wstring text;
    for (const wchar_t c : os::ShownWide(utf8)) {
        text += c;
        if (c == L'&') {
            text += L'&';
        }
    }
    return text;
}

void AddRadioItem(HMENU menu, UINT id, const std::wstring& text) {
    MENUITEMINFOW item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    item.fType = MFT_STRING | MFT_RADIOCHECK;
    item.wID = id;
    item.dwTypeData = const_cast<wchar_t*>(text.c_str());
    ::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &item);
}

}  // namespace

void CodePageMenu::Insert(HMENU bar, UINT position) {
    menu_ = ::CreatePopupMenu();
    if (menu_ == nullptr) {
        return;
    }
    AddRadioItem(menu_, IDM_CODEPAGE_AUTOMATIC, L"Automatisch");
    ::AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
    std::map<std::string_view, HMENU> submenus;
    int index = 0;
    for (const CodePageInfo& page : KnownCodePages()) {
        HMENU into = menu_;
        if (!page.group.empty()) {
            HMENU& submenu = submenus[page.group];
            if (submenu == nullptr) {
                submenu = ::CreatePopupMenu();
                ::AppendMenuW(menu_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu),
                              os::ShownWide(page.group).c_str());
            }
            into = submenu;
        }
        AddRadioItem(into, static_cast<UINT>(IDM_CODEPAGE_FIRST + index++), MenuText(page.name));
    }
    ::InsertMenuW(bar, position, MF_BYPOSITION | MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(menu_), L"&Zeichensatz");
}

bool CodePageMenu::IsItem(int id) {
    return id == IDM_CODEPAGE_AUTOMATIC ||
           (id >= IDM_CODEPAGE_FIRST && id < IDM_CODEPAGE_FIRST + ItemCount());
}

std::optional<int> CodePageMenu::CodePageOf(int id) {
    if (id < IDM_CODEPAGE_FIRST || id >= IDM_CODEPAGE_FIRST + ItemCount()) {
        return std::nullopt;
    }
    return KnownCodePages()[static_cast<std::size_t>(id - IDM_CODEPAGE_FIRST)].number;
}

void CodePageMenu::Show(std::string_view automaticText, std::optional<int> chosen) {
    if (menu_ == nullptr) {
        return;
    }
    const std::wstring text = MenuText(automaticText);
    MENUITEMINFOW item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<wchar_t*>(text.c_str());
    ::SetMenuItemInfoW(menu_, IDM_CODEPAGE_AUTOMATIC, FALSE, &item);
    UINT checked = IDM_CODEPAGE_AUTOMATIC;
    for (int index = 0; index < ItemCount(); ++index) {
        if (chosen && KnownCodePages()[static_cast<std::size_t>(index)].number == *chosen) {
            checked = static_cast<UINT>(IDM_CODEPAGE_FIRST + index);
        }
    }
    for (UINT id = IDM_CODEPAGE_AUTOMATIC; id < static_cast<UINT>(IDM_CODEPAGE_FIRST + ItemCount());
         ++id) {
        ::CheckMenuItem(menu_, id, MF_BYCOMMAND | (id == checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

}  // namespace tessaro::win32
