#include "OpenWithRetry.h"

#include <thread>

#include "ErrorMessage.h"
#include "FileSystem.h"

namespace tessaro {

void RetryPolicy::Wait() const {
    if (sleep) {
        sleep(delay);
    } else {
        std::this_thread::sleep_for(delay);
    }
}

namespace {

enum class OldFile { Kept, Replaced };

OpenAttempt TryOpen(FileAccess& access, std::string_view name, OpenMode mode,
                    FileNumber permissionsOf, OldFile oldFile) {
    const std::uint32_t notRemoved =
        oldFile == OldFile::Replaced ? RemoveFile(std::string(name)) : 0;
    OpenAttempt attempt = access.files.TryOpen(name, mode, permissionsOf);
    if (attempt.number == 0 && notRemoved != 0) {
        // The old file is in the way: why it could not be deleted is what the user must hear.
        const ErrorNumber why = ClassifyWin32Error(notRemoved);
        attempt.error = why != kNoError ? why : attempt.error;
    }
    return attempt;
}

FileNumber OpenRetrying(FileAccess& access, std::string_view name, OpenMode mode,
                        FileNumber permissionsOf, OldFile oldFile = OldFile::Kept) {
    for (;;) {
        ErrorNumber lastError = kNoError;
        for (int retries = 0;; ++retries) {
            const OpenAttempt attempt = TryOpen(access, name, mode, permissionsOf, oldFile);
            if (attempt.number != 0) {
                return attempt.number;
            }
            lastError = attempt.error;
            if (retries >= access.retry.retryLimit) {
                break;
            }
            access.retry.Wait();
        }
        if (ShowErrorMessage(access.desktop, lastError) != BoxAnswer::Retry) {
            return 0;
        }
    }
}

}  // namespace

FileNumber OpenWithRetry(FileAccess& access, std::string_view name) {
    return OpenRetrying(access, name, OpenMode::Binary, 0);
}

FileNumber OpenAppendWithRetry(FileAccess& access, std::string_view name,
                               FileNumber permissionsOf) {
    return OpenRetrying(access, name, OpenMode::Append, permissionsOf);
}

FileNumber OpenAppendReplacingWithRetry(FileAccess& access, std::string_view name,
                                        FileNumber permissionsOf) {
    return OpenRetrying(access, name, OpenMode::Append, permissionsOf, OldFile::Replaced);
}

}  // namespace tessaro
