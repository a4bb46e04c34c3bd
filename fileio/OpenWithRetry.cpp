#include "OpenWithRetry.h"

#include <thread>

#include "ErrorMessage.h"

namespace tessaro {

void RetryPolicy::Wait() const {
    if (sleep) {
        sleep(delay);
    } else {
        std::this_thread::sleep_for(delay);
    }
}

namespace {

FileNumber OpenRetrying(FileAccess& access, std::string_view name, OpenMode mode,
                        FileNumber permissionsOf) {
    for (;;) {
        ErrorNumber lastError = kNoError;
        for (int retries = 0;; ++retries) {
            const OpenAttempt attempt = access.files.TryOpen(name, mode, permissionsOf);
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

}  // namespace tessaro
