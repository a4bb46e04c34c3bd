#include "support/HeldFile.h"

#include <windows.h>

#include "fileio/win32/WideNames.h"

namespace tessaro::test {

HeldFile::HeldFile(const std::string& path) {
    const std::optional<std::wstring> wide = os::WideFromUtf8(path);
    if (!wide) {
        return;
    }
    const HANDLE file = ::CreateFileW(wide->c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        handle_ = reinterpret_cast<std::intptr_t>(file);
    }
}

void HeldFile::Release() {
    if (handle_ != -1) {
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
        handle_ = -1;
    }
}

}  // namespace tessaro::test
