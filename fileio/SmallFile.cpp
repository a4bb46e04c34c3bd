#include "SmallFile.h"

#include "fileio/OsFile.h"

namespace tessaro {

std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t maxBytes) {
    // The exclusive open refuses everything but a regular file and never waits for one.
    const os::OpenResult opened = os::OpenExclusive(path, os::Access::ReadBinary);
    if (opened.handle == os::kNoHandle) {
        return std::nullopt;
    }
    std::optional<std::string> content;
    const std::int64_t size = os::FileSize(opened.handle);
    if (size >= 0 && static_cast<std::uint64_t>(size) <= maxBytes) {
        std::string bytes(static_cast<std::size_t>(size), '\0');
        const os::IoResult got = os::ReadAt(opened.handle, 0, bytes.data(), bytes.size());
        if (got.win32Error == 0) {
            bytes.resize(got.count);
            content = std::move(bytes);
        }
    }
    os::Close(opened.handle);
    return content;
}

}  // namespace tessaro
