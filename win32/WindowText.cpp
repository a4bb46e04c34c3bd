#include "win32/WindowText.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace tessaro::win32 {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::wstring();
    }
    const int bytes = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, wide.data(), length);
    return wide;
}

std::wstring MessageBoxText(std::string_view utf8) {
    const std::wstring text = Widen(utf8);
    std::wstring lines;
    lines.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        lines += text[i];
        if (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n')) {
            lines += L'\n';
        }
    }
    return lines;
}

std::wstring OpenDialogFilter(std::string_view filter) {
    std::wstring list;
    std::size_t start = 0;
    std::wstring pending;  // a description waiting for its pattern
    bool havePending = false;
    while (start <= filter.size()) {
        const std::size_t bar = std::min(filter.find('|', start), filter.size());
        const std::wstring part = Widen(filter.substr(start, bar - start));
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

int CenteredOffset(int outer, int inner) {
    const int difference = outer - inner;
    const int down = difference >= 0 ? difference / 2 : -((-difference + 1) / 2);  // floor
    if (difference % 2 == 0) {
        return down;
    }
    return down % 2 == 0 ? down : down + 1;
}

int ForDpi(int value, int dpi) {
    return ::MulDiv(value, dpi, 96);
}

int ScaledColumnWidth(int width, int alphabetWidth) {
    // 6 pixels a character: 52 letters were 312 pixels wide.
    constexpr int kSystemFontAlphabet = 6 * 52;
    return ::MulDiv(width, alphabetWidth, kSystemFontAlphabet);
}

std::size_t CopyCellText(std::string_view utf8, wchar_t* buffer, std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) {
        return 0;
    }
    std::size_t end = utf8.size();
    while (end > 0 && utf8[end - 1] == ' ') {
        --end;
    }
    const std::wstring wide = Widen(utf8.substr(0, end));
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
