// tessaro-gui-probe: looks at a running tessaro.exe from outside, as another program on the
// same desktop can, for the GUI test of scripts/test-windows. It only reads what the
// window shows (window texts, the list's items through the list view's own messages) and
// closes windows as the close button would; the clicks and keys of the test come from the
// X server, as a user's do.
//   tessaro-gui-probe wait TITLE SECONDS      a visible window of that title appears
//   tessaro-gui-probe wait-gone TITLE SECONDS no visible window of that title is left
//   tessaro-gui-probe count TITLE             how many visible windows have that title
//   tessaro-gui-probe state                   the main window: sizes, status line, whether
//                                             it takes input, list
//   tessaro-gui-probe table                   the list's headings and rows, as tessaro-dump
//                                             lists a table (cells without trailing blanks)
//   tessaro-gui-probe row-point ROW           screen point of a row's record number (0 = first)
//   tessaro-gui-probe header-point COLUMN     screen point of a column heading
//   tessaro-gui-probe rect TITLE              screen rectangle of a window: x y width height
//   tessaro-gui-probe row-rect ROW            screen rectangle of a row's record number
//   tessaro-gui-probe cut-cells ROW           the columns whose text in that row does not
//                                             fit the column (with the list's margins)
//   tessaro-gui-probe help-point TEXT         screen point of a text in the help window
//   tessaro-gui-probe help-top                the first line the help window shows
//   tessaro-gui-probe texts TITLE             the texts of the windows of that title and of
//                                             their controls
//   tessaro-gui-probe close TITLE|class:NAME  WM_CLOSE to every such window
// Exit code 0, 1 when what was asked for is not there, 2 for wrong arguments.

#include <windows.h>

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <richedit.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr DWORD kAnswerTimeoutMs = 5000;

std::string Utf8(const std::wstring& text) {
    if (text.empty()) {
        return std::string();
    }
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                             nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                          length, nullptr, nullptr);
    return utf8;
}

void Print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

// The text a window answers to WM_GETTEXT (for a status line: its first part).
std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                               &length)) {
        return std::wstring();
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                               &answer)) {
        return -1;
    }
    return static_cast<LRESULT>(answer);
}

// Memory in the viewer's process: the list's messages take pointers, which must point
// into the process that answers them.
class RemoteMemory {
public:
    RemoteMemory(HWND window, std::size_t size) : size_(size) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 processId);
        if (process_ != nullptr) {
            address_ =
                ::VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
    }
    ~RemoteMemory() {
        if (address_ != nullptr) {
            ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
        if (process_ != nullptr) {
            ::CloseHandle(process_);
        }
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool Valid() const { return address_ != nullptr; }
    char* At(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool Write(std::size_t offset, const void* data, std::size_t size) const {
        return offset + size <= size_ &&
               ::WriteProcessMemory(process_, At(offset), data, size, nullptr);
    }
    bool Read(std::size_t offset, void* data, std::size_t size) const {
        return offset + size <= size_ &&
               ::ReadProcessMemory(process_, At(offset), data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    std::size_t size_;
};

struct Search {
    std::wstring title;
    std::wstring className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    if (!::IsWindowVisible(window)) {
        return TRUE;
    }
    if (!search.className.empty()) {
        wchar_t name[256] = {};
        ::GetClassNameW(window, name, 256);
        if (search.className == name) {
            search.found.push_back(window);
        }
        return TRUE;
    }
    if (WindowText(window) == search.title) {
        search.found.push_back(window);
    }
    return TRUE;
}

// The visible top-level windows of a title, or of a class with "class:NAME".
std::vector<HWND> FindWindows(const std::wstring& name) {
    Search search;
    if (name.starts_with(L"class:")) {
        search.className = name.substr(6);
    } else {
        search.title = name;
    }
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND MainWindow() { return ::FindWindowW(L"MYPROGRAM32", L"Tessaro"); }

HWND RecordList(HWND main) { return main != nullptr ? ::GetDlgItem(main, 3079) : nullptr; }

// A cell's text as the list shows it; the list asks the viewer for it.
std::wstring ItemText(HWND list, const RemoteMemory& memory, int row, int column) {
    constexpr std::size_t kTextUnits = 1024;
    LVITEMW item = {};
    item.iSubItem = column;
    item.cchTextMax = kTextUnits;
    item.pszText = reinterpret_cast<LPWSTR>(memory.At(sizeof(LVITEMW)));
    if (!memory.Write(0, &item, sizeof(item))) {
        return std::wstring();
    }
    const LRESULT length = Ask(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                               reinterpret_cast<LPARAM>(memory.At(0)));
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    memory.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
    return text;
}

// tessaro-dump's escapes, so that each record stays one line.
std::string Escaped(const std::wstring& text) {
    std::string out;
    for (const char c : Utf8(text)) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default: out += c;
        }
    }
    return out;
}

int ColumnCount(HWND list) {
    const auto header = reinterpret_cast<HWND>(Ask(list, LVM_GETHEADER, 0, 0));
    return header != nullptr ? static_cast<int>(Ask(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::wstring ColumnHeading(HWND list, const RemoteMemory& memory, int column) {
    constexpr std::size_t kTextUnits = 256;
    LVCOLUMNW heading = {};
    heading.mask = LVCF_TEXT;
    heading.cchTextMax = kTextUnits;
    heading.pszText = reinterpret_cast<LPWSTR>(memory.At(sizeof(LVCOLUMNW)));
    std::vector<wchar_t> empty(kTextUnits, L'\0');
    memory.Write(sizeof(LVCOLUMNW), empty.data(), empty.size() * sizeof(wchar_t));
    if (!memory.Write(0, &heading, sizeof(heading)) ||
        Ask(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column),
            reinterpret_cast<LPARAM>(memory.At(0))) <= 0) {
        return std::wstring();
    }
    memory.Read(sizeof(LVCOLUMNW), empty.data(), empty.size() * sizeof(wchar_t));
    empty.back() = L'\0';
    return empty.data();
}

int Table() {
    const HWND list = RecordList(MainWindow());
    const RemoteMemory memory(list, 64 * 1024);
    if (list == nullptr || !memory.Valid()) {
        std::fputs("keine Satzliste\n", stderr);
        return 1;
    }
    const int columns = ColumnCount(list);
    std::string line;
    for (int column = 0; column < columns; ++column) {
        if (column > 0) {
            line += '\t';
        }
        line += Escaped(ColumnHeading(list, memory, column));
    }
    Print(line);
    const auto rows = static_cast<int>(Ask(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        line.clear();
        for (int column = 0; column < columns; ++column) {
            if (column > 0) {
                line += '\t';
            }
            line += Escaped(ItemText(list, memory, row, column));
        }
        Print(line);
    }
    return 0;
}

int State() {
    const HWND main = MainWindow();
    if (main == nullptr) {
        std::fputs("kein Fenster MYPROGRAM32 \"Tessaro\"\n", stderr);
        return 1;
    }
    RECT outer = {};
    RECT client = {};
    ::GetWindowRect(main, &outer);
    ::GetClientRect(main, &client);
    const HDC screen = ::GetDC(nullptr);
    Print("dpi=" + std::to_string(::GetDeviceCaps(screen, LOGPIXELSY)));
    ::ReleaseDC(nullptr, screen);
    // The program the window belongs to.
    DWORD processId = 0;
    ::GetWindowThreadProcessId(main, &processId);
    if (const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)) {
        wchar_t path[MAX_PATH * 4] = {};
        DWORD length = MAX_PATH * 4;
        if (::QueryFullProcessImageNameW(process, 0, path, &length)) {
            Print("exe=" + Utf8(std::wstring(path, length)));
        }
        ::CloseHandle(process);
    }
    Print("outer=" + std::to_string(outer.right - outer.left) + "x" +
          std::to_string(outer.bottom - outer.top));
    Print("client=" + std::to_string(client.right) + "x" + std::to_string(client.bottom));
    const HWND status = ::GetDlgItem(main, 200);
    Print("status=" + (status != nullptr ? Utf8(WindowText(status)) : std::string("(keine)")));
    Print(std::string("enabled=") + (::IsWindowEnabled(main) ? "1" : "0"));
    const HWND list = RecordList(main);
    if (list == nullptr) {
        Print("list=none");
        return 0;
    }
    Print(std::string("list=") + (::IsWindowVisible(list) ? "visible" : "hidden"));
    RECT area = {};
    ::GetWindowRect(list, &area);
    ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&area), 2);
    Print("list-rect=" + std::to_string(area.left) + "," + std::to_string(area.top) + "," +
          std::to_string(area.right - area.left) + "x" + std::to_string(area.bottom - area.top));
    // Which of its windows has the keyboard.
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof(thread);
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &thread)) {
        Print(std::string("keys=") + (thread.hwndFocus == list      ? "list"
                                      : thread.hwndFocus == main    ? "main"
                                      : thread.hwndFocus == nullptr ? "none"
                                                                    : "other"));
    }
    Print("rows=" + std::to_string(Ask(list, LVM_GETITEMCOUNT, 0, 0)));
    Print("selected=" +
          std::to_string(Ask(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
    Print("focused=" +
          std::to_string(Ask(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
    Print("top=" + std::to_string(Ask(list, LVM_GETTOPINDEX, 0, 0)));
    Print("per-page=" + std::to_string(Ask(list, LVM_GETCOUNTPERPAGE, 0, 0)));
    Print("columns=" + std::to_string(ColumnCount(list)));
    Print("column0-width=" + std::to_string(Ask(list, LVM_GETCOLUMNWIDTH, 0, 0)));
    // What column 0 must hold: the widest record number beside the small image.
    const RemoteMemory memory(list, 4096);
    const wchar_t number[] = L"65536";
    if (memory.Valid() && memory.Write(0, number, sizeof(number))) {
        Print("number-width=" + std::to_string(Ask(list, LVM_GETSTRINGWIDTHW, 0,
                                                   reinterpret_cast<LPARAM>(memory.At(0)))));
    }
    Print("small-icon=" + std::to_string(::GetSystemMetrics(SM_CXSMICON)));
    return 0;
}

void PrintRect(const RECT& rect) {
    Print(std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
          std::to_string(rect.right - rect.left) + " " + std::to_string(rect.bottom - rect.top));
}

int WindowRect(const std::wstring& title) {
    const std::vector<HWND> windows = FindWindows(title);
    RECT rect = {};
    if (windows.empty() || !::GetWindowRect(windows.front(), &rect)) {
        return 1;
    }
    PrintRect(rect);
    return 0;
}

// A row's record number (its label) on the screen.
bool RowLabel(int row, RECT& label) {
    const HWND list = RecordList(MainWindow());
    const RemoteMemory memory(list, 4096);
    label = {};
    label.left = LVIR_LABEL;
    if (list == nullptr || !memory.Valid() || !memory.Write(0, &label, sizeof(label)) ||
        Ask(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
            reinterpret_cast<LPARAM>(memory.At(0))) <= 0 ||
        !memory.Read(0, &label, sizeof(label))) {
        return false;
    }
    ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&label), 2);
    return true;
}

int RowRect(int row) {
    RECT label = {};
    if (!RowLabel(row, label)) {
        return 1;
    }
    PrintRect(label);
    return 0;
}

// The list keeps about 6 pixels on each side of a cell's text.
int CutCells(int row) {
    const HWND list = RecordList(MainWindow());
    const RemoteMemory memory(list, 64 * 1024);
    if (list == nullptr || !memory.Valid()) {
        return 1;
    }
    std::string cut;
    for (int column = 1; column < ColumnCount(list); ++column) {
        const std::wstring text = ItemText(list, memory, row, column) + L'\0';
        if (!memory.Write(32 * 1024, text.data(), text.size() * sizeof(wchar_t))) {
            return 1;
        }
        const LRESULT needed =
            Ask(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(memory.At(32 * 1024)));
        const LRESULT width = Ask(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0);
        if (needed + 12 > width) {
            if (!cut.empty()) {
                cut += ' ';
            }
            cut.append(std::to_string(column));
        }
    }
    Print(cut);
    return 0;
}

// The help window's text control.
HWND HelpText() {
    const std::vector<HWND> windows = FindWindows(L"Tessaro \u2013 Hilfe");
    return windows.empty() ? nullptr : ::GetWindow(windows.front(), GW_CHILD);
}

int HelpPoint(const std::wstring& text) {
    const HWND control = HelpText();
    const std::wstring wanted = text + L'\0';
    const RemoteMemory memory(control, 4096);
    if (control == nullptr || !memory.Valid() ||
        !memory.Write(1024, wanted.data(), wanted.size() * sizeof(wchar_t))) {
        return 1;
    }
    FINDTEXTEXW find = {};
    find.chrg = {0, -1};
    find.lpstrText = reinterpret_cast<LPCWSTR>(memory.At(1024));
    if (!memory.Write(0, &find, sizeof(find))) {
        return 1;
    }
    const LRESULT at =
        Ask(control, EM_FINDTEXTEXW, FR_DOWN, reinterpret_cast<LPARAM>(memory.At(0)));
    if (at < 0) {
        return 1;
    }
    const LRESULT position = Ask(control, EM_POSFROMCHAR, static_cast<WPARAM>(at), 0);
    POINT point = {static_cast<short>(LOWORD(position)) + 4,
                   static_cast<short>(HIWORD(position)) + 4};
    ::ClientToScreen(control, &point);
    Print(std::to_string(point.x) + " " + std::to_string(point.y));
    return 0;
}

int HelpTop() {
    const HWND control = HelpText();
    if (control == nullptr) {
        return 1;
    }
    const LRESULT line = Ask(control, EM_GETFIRSTVISIBLELINE, 0, 0);
    // The system carries the line's text across to this program (as for WM_GETTEXT).
    std::wstring text(1000, L'\0');
    text[0] = static_cast<wchar_t>(text.size() - 1);
    const LRESULT length =
        Ask(control, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) {
        text.pop_back();
    }
    Print(Utf8(text));
    return 0;
}

// The middle of a row's record number, or of a heading, on the screen.
int RowPoint(int row) {
    const HWND list = RecordList(MainWindow());
    const RemoteMemory memory(list, 4096);
    if (list == nullptr || !memory.Valid()) {
        return 1;
    }
    RECT label = {};
    label.left = LVIR_LABEL;
    if (!memory.Write(0, &label, sizeof(label)) ||
        Ask(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
            reinterpret_cast<LPARAM>(memory.At(0))) <= 0 ||
        !memory.Read(0, &label, sizeof(label))) {
        return 1;
    }
    POINT middle = {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    ::ClientToScreen(list, &middle);
    Print(std::to_string(middle.x) + " " + std::to_string(middle.y));
    return 0;
}

int HeaderPoint(int column) {
    const HWND list = RecordList(MainWindow());
    const auto header =
        list != nullptr ? reinterpret_cast<HWND>(Ask(list, LVM_GETHEADER, 0, 0)) : nullptr;
    const RemoteMemory memory(header, 4096);
    RECT item = {};
    if (header == nullptr || !memory.Valid() ||
        Ask(header, HDM_GETITEMRECT, static_cast<WPARAM>(column),
            reinterpret_cast<LPARAM>(memory.At(0))) <= 0 ||
        !memory.Read(0, &item, sizeof(item))) {
        return 1;
    }
    POINT middle = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(header, &middle);
    Print(std::to_string(middle.x) + " " + std::to_string(middle.y));
    return 0;
}

BOOL CALLBACK PrintChildText(HWND child, LPARAM /*unused*/) {
    Print(Escaped(WindowText(child)));
    return TRUE;
}

int Texts(const std::wstring& title) {
    const std::vector<HWND> windows = FindWindows(title);
    if (windows.empty()) {
        return 1;
    }
    for (const HWND window : windows) {
        Print(Escaped(WindowText(window)));
        ::EnumChildWindows(window, PrintChildText, 0);
    }
    return 0;
}

int Wait(const std::wstring& title, double seconds, bool gone) {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    for (;;) {
        if (FindWindows(title).empty() == gone) {
            return 0;
        }
        if (::GetTickCount64() >= end) {
            return 1;
        }
        ::Sleep(100);
    }
}

int Close(const std::wstring& name) {
    const std::vector<HWND> windows = FindWindows(name);
    for (const HWND window : windows) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return windows.empty() ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // LF, as tessaro-dump writes it
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"state" && argc == 2) {
        return State();
    }
    if (command == L"table" && argc == 2) {
        return Table();
    }
    if ((command == L"wait" || command == L"wait-gone") && argc == 4) {
        return Wait(argv[2], std::wcstod(argv[3], nullptr), command == L"wait-gone");
    }
    if (command == L"count" && argc == 3) {
        Print(std::to_string(FindWindows(argv[2]).size()));
        return 0;
    }
    if (command == L"row-point" && argc == 3) {
        return RowPoint(static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
    }
    if (command == L"header-point" && argc == 3) {
        return HeaderPoint(static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
    }
    if (command == L"rect" && argc == 3) {
        return WindowRect(argv[2]);
    }
    if (command == L"row-rect" && argc == 3) {
        return RowRect(static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
    }
    if (command == L"cut-cells" && argc == 3) {
        return CutCells(static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
    }
    if (command == L"help-point" && argc == 3) {
        return HelpPoint(argv[2]);
    }
    if (command == L"help-top" && argc == 2) {
        return HelpTop();
    }
    if (command == L"texts" && argc == 3) {
        return Texts(argv[2]);
    }
    if (command == L"close" && argc == 3) {
        return Close(argv[2]);
    }
    std::fputs(
        "Aufruf: tessaro-gui-probe state|table|wait TITEL SEKUNDEN|wait-gone TITEL SEKUNDEN|"
        "count TITEL|row-point ZEILE|header-point SPALTE|rect TITEL|row-rect ZEILE|"
        "cut-cells ZEILE|help-point TEXT|help-top|texts TITEL|close TITEL\n",
        stderr);
    return 2;
}
