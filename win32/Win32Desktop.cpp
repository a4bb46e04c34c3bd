#include "win32/Win32Desktop.h"

#include <windows.h>

#include <string>

#include "fileio/win32/WideNames.h"
#include "win32/WindowText.h"

namespace tessaro::win32 {

namespace {

// The answers keep the numbers of the Windows API.
static_assert(static_cast<int>(BoxAnswer::Ok) == IDOK &&
              static_cast<int>(BoxAnswer::Cancel) == IDCANCEL &&
              static_cast<int>(BoxAnswer::Retry) == IDRETRY &&
              static_cast<int>(BoxAnswer::Yes) == IDYES && static_cast<int>(BoxAnswer::No) == IDNO);
static_assert((BoxButtons::YesNo | BoxIcon::Question).WindowsValue() ==
              (MB_YESNO | MB_ICONQUESTION));
static_assert((BoxButtons::RetryCancel | BoxIcon::Stop).WindowsValue() ==
              (MB_RETRYCANCEL | MB_ICONHAND));

// A folder of Windows (from GetSystemDirectoryW or GetWindowsDirectoryW) with "\notepad.exe".
template <typename Query>
std::wstring NotepadIn(Query query) {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = query(folder, MAX_PATH);
    if (length == 0 || length > MAX_PATH) {
        return std::wstring();
    }
    std::wstring path(folder, length);
    if (!path.ends_with(L'\\')) {
        path += L'\\';
    }
    return path + L"notepad.exe";
}

bool StartDetached(const std::wstring& program, const std::wstring& fileName) {
    if (program.empty()) {
        return false;
    }
    std::wstring commandLine = EditorCommandLine(program, fileName);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    // The program by its full path: never a notepad.exe that lies in the table's folder.
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        return false;
    }
    // Not waited for: the viewer goes on while the text is open.
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

}  // namespace

BoxAnswer Win32Desktop::ShowMessageBox(WindowHandle owner, std::string_view text,
                                       std::string_view caption, BoxStyle style) {
    const std::wstring boxText = MessageBoxText(text);
    const std::wstring boxCaption = os::ShownWide(caption);
    // An owned box disables its owner while it is open. One without an owner would leave
    // the window's menu working inside the box's message loop: task-modal, it disables
    // every window of the program as well.
    const UINT type = style.WindowsValue() | (owner == nullptr ? MB_TASKMODAL : 0);
    const int answer =
        ::MessageBoxW(static_cast<HWND>(owner), boxText.c_str(), boxCaption.c_str(), type);
    switch (answer) {
        case IDOK:
        case IDCANCEL:
        case IDRETRY:
        case IDYES:
        case IDNO: return static_cast<BoxAnswer>(answer);
        default: return BoxAnswer::None;
    }
}

void Win32Desktop::StartTextEditor(const std::string& fileName) {
    const std::optional<std::wstring> name = os::WideFromUtf8(fileName);
    if (!name || name->empty()) {
        return;
    }
    // Notepad lies in the system folder since Windows 95, and in the Windows folder too.
    if (!StartDetached(NotepadIn(::GetSystemDirectoryW), *name)) {
        StartDetached(NotepadIn(::GetWindowsDirectoryW), *name);
    }
}

}  // namespace tessaro::win32
