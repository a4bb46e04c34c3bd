#include "win32/OpenFileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "fileio/win32/WideNames.h"
#include "win32/WindowText.h"

namespace tessaro::win32 {

// The viewer's flags are those of the dialog.
static_assert(kOpenHideReadOnly == OFN_HIDEREADONLY && kOpenFileMustExist == OFN_FILEMUSTEXIST &&
              kOpenLongNames == OFN_LONGNAMES);

namespace {

std::wstring CurrentDirectory() {
    const DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) {
        return std::wstring();
    }
    std::wstring folder(needed, L'\0');
    const DWORD length = ::GetCurrentDirectoryW(needed, folder.data());
    folder.resize(length < needed ? length : 0);
    return folder;
}

}  // namespace

std::optional<std::string> ShowOpenFileDialog(HWND owner, const OpenDialogRequest& request) {
    // Room for a long path: the dialog fails on a name longer than its buffer.
    constexpr std::size_t kFileCapacity = 32768;
    std::vector<wchar_t> file(kFileCapacity, L'\0');
    const std::wstring fileName = os::ShownWide(request.fileName);
    fileName.copy(file.data(), std::min(fileName.size(), kFileCapacity - 1));

    const std::wstring filter = OpenDialogFilter(request.filter);
    const std::wstring title = os::ShownWide(request.title);
    const std::wstring extension = os::ShownWide(request.defaultExtension);
    const std::wstring initialDirectory = request.initialDirectory.empty()
                                              ? CurrentDirectory()
                                              : os::ShownWide(request.initialDirectory);

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = initialDirectory.empty() ? nullptr : initialDirectory.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = request.flags;
    if (!::GetOpenFileNameW(&dialog)) {
        return std::nullopt;  // cancelled, or the dialog failed: nothing was chosen
    }
    return os::Utf8FromWide(file.data());
}

}  // namespace tessaro::win32
