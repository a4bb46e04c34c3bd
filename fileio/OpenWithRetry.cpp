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

OpenAttempt TryOpen(FileAccess& access, const std::string& name, OpenMode mode,
                    FileNumber permissionsOf, OldFile oldFile) {
    const std::uint32_t notRemoved = oldFile == OldFile::Replaced ? RemoveFile(name) : 0;
    OpenAttempt attempt = access.files.TryOpen(name, mode, permissionsOf);
    if (attempt.number == 0 && notRemoved != 0) {
        // The old file is in the way: why it could not be deleted is what the user must hear.
        const ErrorNumber why = ClassifyWin32Error(notRemoved);
        attempt.error = why != kNoError ? why : attempt.error;
    }
    return attempt;
}

FileNumber OpenRetrying(FileAccess& access, const std::string& name, OpenMode mode,
                        FileNumber permissionsOf, ErrorNumber* why,
                        OldFile oldFile = OldFile::Kept) {
    ErrorNumber lastError = kNoError;
    for (;;) {
        for (int retries = 0;; ++retries) {
            const OpenAttempt attempt = TryOpen(access, name, mode, permissionsOf, oldFile);
            lastError = attempt.error;
            if (attempt.number != 0 || lastError == kErrNotAFile) {
                if (why != nullptr) {
                    *why = lastError;
                }
                return attempt.number;
            }
            if (retries >= access.retry.retryLimit) {
                break;
            }
            access.retry.Wait();
        }
        if (ShowErrorMessage(access.desktop, lastError) != BoxAnswer::Retry) {
            if (why != nullptr) {
                *why = lastError;
            }
            return 0;
        }
    }
}

}  // namespace

FileNumber OpenWithRetry(FileAccess& access, std::string name, ErrorNumber* why) {
    return OpenRetrying(access, name, OpenMode::Binary, 0, why);
}

FileNumber OpenAppendWithRetry(FileAccess& access, std::string name, FileNumber permissionsOf) {
    return OpenRetrying(access, name, OpenMode::Append, permissionsOf, nullptr);
}

FileNumber OpenAppendReplacingWithRetry(FileAccess& access, std::string name,
                                        FileNumber permissionsOf) {
    return OpenRetrying(access, name, OpenMode::Append, permissionsOf, nullptr, OldFile::Replaced);
}

}  // namespace tessaro
