// Makes the reads of one file fail as a disk with bad sectors does, for the tests of what
// the programs say then. Loaded with LD_PRELOAD; TESSARO_FAIL_READS_OF names the end of the
// file's path, TESSARO_FAIL_READS_FROM the first byte that cannot be read (0 when unset).

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool Fails(int fd, off_t offset, size_t count) {
    const char* ending = std::getenv("TESSARO_FAIL_READS_OF");
    if (ending == nullptr) {
        return false;
    }
    const char* from = std::getenv("TESSARO_FAIL_READS_FROM");
    if (offset + static_cast<off_t>(count) <= (from != nullptr ? std::atoll(from) : 0)) {
        return false;
    }
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char path[PATH_MAX];
    const ssize_t length = readlink(link, path, sizeof path - 1);
    const size_t endingLength = std::strlen(ending);
    return length > 0 && static_cast<size_t>(length) >= endingLength &&
           std::memcmp(path + length - endingLength, ending, endingLength) == 0;
}

using Pread = ssize_t (*)(int, void*, size_t, off_t);

ssize_t ReadOrFail(const char* name, int fd, void* buffer, size_t count, off_t offset) {
    if (Fails(fd, offset, count)) {
        errno = EIO;
        return -1;
    }
    const auto real = reinterpret_cast<Pread>(dlsym(RTLD_NEXT, name));
    return real(fd, buffer, count, offset);
}

}  // namespace

extern "C" ssize_t pread(int fd, void* buffer, size_t count, off_t offset) {
    return ReadOrFail("pread", fd, buffer, count, offset);
}

extern "C" ssize_t pread64(int fd, void* buffer, size_t count, off_t offset) {
    return ReadOrFail("pread64", fd, buffer, count, offset);
}
