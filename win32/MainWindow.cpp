#include "win32/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <new>

#include "fileio/win32/WideNames.h"
#include "viewer/Centering.h"
#include "win32/ModelessDialogs.h"
#include "win32/OpenFileDialog.h"
#include "win32/WindowText.h"
#include "win32/resource.h"

namespace tessaro::win32 {

namespace {

// Posted once the window is on the screen: the table of the working folder is loaded then,
// so that every box the load shows stands over the window.
constexpr UINT kOpenAtStartMessage = WM_APP + 1;
// Posted when memory ran out while the list asked for a cell: the box comes once the list
// has drawn.
constexpr UINT kOutOfMemoryMessage = WM_APP + 2;

int ScreenDpi() {
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

// The font of message boxes, which the system chooses for the screen's DPI.
HFONT MessageFont() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        if (const HFONT font = ::CreateFontIndirectW(&metrics.lfMessageFont)) {
            return font;
        }
    }
    return nullptr;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, DesktopPort& desktop, RetryPolicy retry)
    : instance_(instance), viewer_(*this, desktop, std::move(retry)) {}

MainWindow::~MainWindow() {
    Finish();
    if (font_ != nullptr) {
        ::DeleteObject(font_);
    }
    if (background_ != nullptr) {
        ::DeleteObject(background_);
    }
}

bool MainWindow::Create(int showCommand) {
    dpi_ = ScreenDpi();
    font_ = MessageFont();
    background_ =
        static_cast<HBITMAP>(::LoadImageW(instance_, L"BACK", IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));

    // The class is registered once for the process, which may make the window again.
    static const bool registered = [instance = instance_] {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        // Redrawn whole on every size: the picture stays in the middle.
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = ::LoadIconW(instance, L"PROGRAM");
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));
        windowClass.lpszMenuName = L"MAINMENU";
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) {
        return false;
    }
    if (::CreateWindowExW(0, kClassName, L"Tessaro", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                          CW_USEDEFAULT, ForDpi(kStartWidth, dpi_), ForDpi(kStartHeight, dpi_),
                          nullptr, nullptr, instance_, this) == nullptr) {
        return false;
    }
    ::ShowWindow(window_, showCommand);
    ::UpdateWindow(window_);
    ::PostMessageW(window_, kOpenAtStartMessage, 0, 0);
    return true;
}

void MainWindow::Finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    viewer_.State().access.files.CloseAll();
    list_.Destroy();
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    // No exception may pass through the system's code that called us.
    return self->viewer_.Guarded([&] { return self->Handle(window, message, wParam, lParam); });
}

LRESULT MainWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: OnCreate(); return 0;
        case kOpenAtStartMessage: viewer_.OpenAtStart(); return 0;
        case kOutOfMemoryMessage: viewer_.ReportNotedOutOfMemory(); return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                OnSize(LOWORD(lParam), HIWORD(lParam));
            }
            return 0;
        case WM_SETFOCUS:
            // The keys go to the list, as soon as there is one.
            if (list_.Handle() != nullptr && ::IsWindowVisible(list_.Handle())) {
                ::SetFocus(list_.Handle());
            }
            return 0;
        case WM_PAINT: OnPaint(); return 0;
        case WM_COMMAND:
            if (lParam == 0) {  // the menu
                OnCommand(LOWORD(wParam));
                return 0;
            }
            break;
        case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
        case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
        // The close button, "Ende" and the end of the session alike.
        case WM_CLOSE: viewer_.End(); return 0;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                viewer_.End();
            }
            return 0;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            status_ = nullptr;
            break;
        default: break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::OnCreate() {
    // Tables dropped from the Explorer open as if chosen in the dialog.
    ::DragAcceptFiles(window_, TRUE);
    // Between "&Datei" and "&Hilfe".
    codePages_.Insert(::GetMenu(window_), 1);
    ::DrawMenuBar(window_);
    status_ = ::CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", window_, IDC_STATUS);
    if (status_ != nullptr && font_ != nullptr) {
        ::SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    viewer_.ShowPrompt();
}

RECT MainWindow::RecordListArea() const {
    RECT client = {};
    ::GetClientRect(window_, &client);
    return RECT{0, 0, std::max(0L, client.right - 1),
                std::max(0L, client.bottom - static_cast<LONG>(ForDpi(kStatusRoom, dpi_)))};
}

void MainWindow::OnSize(int /*width*/, int /*height*/) {
    if (status_ != nullptr) {
        ::SendMessageW(status_, WM_SIZE, 0, 0);
    }
    list_.Move(RecordListArea());
}

void MainWindow::OnPaint() {
    PAINTSTRUCT paint = {};
    const HDC dc = ::BeginPaint(window_, &paint);
    BITMAP picture = {};
    if (background_ != nullptr && ::GetObjectW(background_, sizeof(picture), &picture) != 0) {
        RECT client = {};
        ::GetClientRect(window_, &client);
        // Centred in the whole client area, the status line's part included.
        const int x = CenteredOffset(client.right, picture.bmWidth);
        const int y = CenteredOffset(client.bottom, picture.bmHeight);
        const HDC memory = ::CreateCompatibleDC(dc);
        const HGDIOBJ old = ::SelectObject(memory, background_);
        ::BitBlt(dc, x, y, picture.bmWidth, picture.bmHeight, memory, 0, 0, SRCCOPY);
        ::SelectObject(memory, old);
        ::DeleteDC(memory);
    }
    ::EndPaint(window_, &paint);
}

void MainWindow::OnCommand(int id) {
    switch (id) {
        case IDM_OPEN: viewer_.OpenTable(); break;
        case IDM_MEMO: viewer_.OpenMemo(); break;
        case IDM_GOTO: viewer_.GoToRecord(); break;
        case IDM_END: viewer_.End(); break;
        case IDM_HELP: viewer_.ShowHelp(); break;
        case IDM_VERSION: viewer_.ShowVersion(); break;
        default:
            if (CodePageMenu::IsItem(id)) {
                viewer_.ChooseCodePage(CodePageMenu::CodePageOf(id));
            }
            break;
    }
}

// A drop that comes while a command runs (Wine hands it to the window inside a box) is
// refused by the viewer, as is one of a folder, which gets a message.
void MainWindow::OnDropFiles(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, path.data(), length + 1));
        paths.push_back(os::Utf8FromWide(path));
    }
    // Given back before the load, which may show boxes.
    ::DragFinish(drop);
    viewer_.OpenDroppedFiles(paths);
}

LRESULT MainWindow::OnNotify(const NMHDR& header, LPARAM lParam) {
    if (header.hwndFrom != list_.Handle() || list_.Handle() == nullptr) {
        return 0;
    }
    switch (header.code) {
        case LVN_GETDISPINFOW: FillListItem(reinterpret_cast<NMLVDISPINFOW*>(lParam)->item); break;
        case NM_CLICK: viewer_.OnRowClick(list_.RowUnderCursor()); break;
        case NM_DBLCLK: viewer_.OnRowDoubleClick(list_.RowUnderCursor()); break;
        case LVN_COLUMNCLICK: viewer_.OnHeaderClick(); break;
        // Keys typed in the list: the record of that number, or the place stays.
        case LVN_ODFINDITEMW: return FindTypedRecord(*reinterpret_cast<NMLVFINDITEMW*>(lParam));
        default: break;
    }
    return 0;
}

LRESULT MainWindow::FindTypedRecord(const NMLVFINDITEMW& find) const {
    if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.lvfi.psz == nullptr) {
        return -1;
    }
    const std::string text = os::Utf8FromWide(find.lvfi.psz);
    const bool wrap = (find.lvfi.flags & LVFI_WRAP) != 0;
    if ((find.lvfi.flags & LVFI_PARTIAL) != 0) {
        return viewer_.FindTypedRecord(text, find.iStart, wrap);
    }
    // The whole number: the first row that begins with it is its own, if any is.
    const std::int32_t row = viewer_.FindTypedRecord(text, 0, false);
    const bool whole = row >= 0 && std::to_string(row + 1) == text;
    return whole && (row >= find.iStart || wrap) ? row : -1;
}

// The list asks while it draws, where no box can be shown: a cell that memory does not
// suffice for stays empty, and the box follows.
void MainWindow::FillListItem(LVITEMW& item) {
    try {
        list_.FillItem(item);
    } catch (const std::bad_alloc&) {
        if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
            item.pszText[0] = L'\0';
        }
        if (viewer_.NoteOutOfMemory()) {
            ::PostMessageW(window_, kOutOfMemoryMessage, 0, 0);
        }
    }
}

bool MainWindow::CreateRecordList() {
    return list_.Create(instance_, window_, RecordListArea(), font_);
}

void MainWindow::DestroyRecordList() { list_.Destroy(); }

void MainWindow::ShowRecordList(bool visible) {
    list_.Show(visible);
    // A loaded table takes the keys at once: the first Down key goes to record 1.
    if (visible && list_.Handle() != nullptr && ::GetActiveWindow() == window_) {
        ::SetFocus(list_.Handle());
    }
}

void MainWindow::AddColumn(std::string_view heading, int width, std::string_view wholeText) {
    list_.AddColumn(heading, width, wholeText);
}

void MainWindow::SetRows(const RecordCells& cells) { list_.SetRows(cells); }

void MainWindow::SetColumnHeading(int column, std::string_view heading) {
    list_.SetHeading(column, heading);
}

void MainWindow::RedrawRows() { list_.Redraw(); }

// What a go-to dialog finds is never left under one of them.
void MainWindow::EnsureRowVisible(std::int32_t row) { list_.EnsureVisible(row, GoToDialogRects()); }

void MainWindow::SetStatusText(std::string_view text) {
    if (status_ == nullptr) {
        return;
    }
    ::SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(os::ShownWide(text).c_str()));
    // A load blocks the window: its progress must show at once.
    ::UpdateWindow(status_);
}

void MainWindow::EnableMemoItem(bool enabled) {
    ::EnableMenuItem(::GetMenu(window_), IDM_MEMO,
                     MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::SetCodePageMenu(std::string_view automaticText, std::optional<int> chosen) {
    codePages_.Show(automaticText, chosen);
}

std::optional<std::string> MainWindow::ShowOpenDialog(const OpenDialogRequest& request) {
    return ShowOpenFileDialog(window_, request);
}

void MainWindow::ShowGoToDialog() { OpenGoToDialog(instance_, window_, viewer_); }

void MainWindow::ShowVersionBox() { OpenVersionBox(instance_, window_, viewer_); }

void MainWindow::ShowHelp(const std::string& helpFile) {
    help_.Show(instance_, window_, helpFile, font_, dpi_);
}

std::string MainWindow::ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return std::string();
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return std::string();
    }
    // "C:\" keeps its backslash; any other folder is given without one.
    path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);
    return os::Utf8FromWide(path);
}

// Everything the program needs lies beside it.
std::string MainWindow::DataFolder() { return ProgramFolder(); }

void MainWindow::BeepQuestion() { ::MessageBeep(MB_ICONQUESTION); }

void MainWindow::Quit(int exitCode) { ::PostQuitMessage(exitCode); }

}  // namespace tessaro::win32
