#include "win32/WindowText.h"

#include <windows.h>

#include <algorithm>
#include <climits>

#include "fileio/BoxText.h"
#include "fileio/win32/WideNames.h"

namespace tessaro::win32 {

std::wstring MessageBoxText(std::string_view utf8) {
    return os::ShownWide(BoxTextWithLineFeeds(utf8));
}

std::wstring OpenDialogFilter(std::string_view filter) {
    std::wstring list;
    std::size_t start = 0;
    std::wstring pending;  // a description waiting for its pattern
    bool havePending = false;
    while (start <= filter.size()) {
        const std::size_t bar = std::min(filter.find('|', start), filter.size());
        const std::wstring part = os::ShownWide(filter.substr(start, bar - start));
        if (!havePending) {
            pending = part;
            havePending = true;
        } else {
            list += pending;
            list += L'\0';
            list += part;
            list += L'\0';
            havePending = false;
        }
        start = bar + 1;
    }
    list += L'\0';
    return list;
}

std::wstring EditorCommandLine(std::wstring_view editor, std::wstring_view fileName) {
    // Windows reads "/" in a path as "\"; written so, no name begins with the option sign.
    std::wstring name(fileName);
    for (wchar_t& c : name) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    if (name.starts_with(L'-')) {
        name.insert(0, L".\\");
    }
    std::wstring line = L"\"";
    line += editor;
    line += L"\" \"";
    line += name;
    line += L'"';
    return line;
}

int ForDpi(int value, int dpi) { return ::MulDiv(value, dpi, 96); }

std::size_t CopyCellText(std::string_view utf8, wchar_t* buffer, std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) {
        return 0;
    }
    std::size_t end = utf8.size();
    while (end > 0 && utf8[end - 1] == ' ') {
        --end;
    }
    const std::wstring wide = os::ShownWide(utf8.substr(0, end));
    std::size_t length = std::min(wide.size(), capacity - 1);
    if (length < wide.size() && length > 0 && wide[length - 1] >= 0xD800 &&
        wide[length - 1] <= 0xDBFF) {
        --length;  // the first half of a pair alone would show as a broken character
    }
    std::copy_n(wide.data(), length, buffer);
    buffer[length] = L'\0';
    return length;
}

}  // namespace tessaro::win32
