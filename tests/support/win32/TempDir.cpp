#include "support/TempDir.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <string>

#include "builder/TableBuilder.h"
#include "fileio/win32/WideNames.h"

namespace tessaro::test {

TempDir::TempDir() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) {
        throw std::runtime_error("no folder for temporary files");
    }
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::wstring folder = std::wstring(temp, length) + L"tessaro-test-" +
                                    std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                    std::to_wstring(counter++);
        if (::CreateDirectoryW(folder.c_str(), nullptr)) {
            path_ = os::Utf8FromWide(folder);
            return;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
    // Read-only files, which a test may leave, cannot be deleted on Windows until that
    // attribute is gone.
    std::error_code ignored;
    const std::filesystem::path folder = PathOf(path_);
    for (auto entry = std::filesystem::recursive_directory_iterator(folder, ignored);
         entry != std::filesystem::recursive_directory_iterator(); entry.increment(ignored)) {
        ::SetFileAttributesW(entry->path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace tessaro::test
