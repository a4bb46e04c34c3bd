#include "support/HeldFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tessaro::test {

HeldFile::HeldFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd >= 0 && ::flock(fd, LOCK_EX) == 0) {
        handle_ = fd;
    } else if (fd >= 0) {
        ::close(fd);
    }
}

void HeldFile::Release() {
    if (handle_ != -1) {
        ::close(static_cast<int>(handle_));
        handle_ = -1;
    }
}

}  // namespace tessaro::test
