#include "SmallFile.h"

#include "fileio/OsFile.h"

namespace tessaro {

namespace {

// Closes the file also when the memory for its content runs out: a file left open would
// stay locked against every later open, the program's own included.
class OpenFile {
public:
    explicit OpenFile(os::Handle handle) : handle_(handle) {}
    ~OpenFile() { os::Close(handle_); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    os::Handle Handle() const { return handle_; }

private:
    os::Handle handle_;
};

}  // namespace

std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t maxBytes) {
    // The exclusive open refuses everything but a regular file and never waits for one.
    const os::OpenResult opened = os::OpenExclusive(path, os::Access::ReadBinary);
    if (opened.handle == os::kNoHandle) {
        return std::nullopt;
    }
    const OpenFile file(opened.handle);
    const std::int64_t size = os::FileSize(file.Handle());
    if (size < 0 || static_cast<std::uint64_t>(size) > maxBytes) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    const os::IoResult got = os::ReadAt(file.Handle(), 0, bytes.data(), bytes.size());
    if (got.win32Error != 0) {
        return std::nullopt;
    }
    bytes.resize(got.count);
    return bytes;
}

}  // namespace tessaro
