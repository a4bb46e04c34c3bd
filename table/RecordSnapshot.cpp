#include "RecordSnapshot.h"

#include <algorithm>
#include <limits>

#include "table/RecordReader.h"

namespace tessaro {

namespace {

// Records are held, and read, in blocks of about this many bytes.
constexpr std::int64_t kBlockBytes = 4 << 20;

// Closes the table however the load ends.
class OpenTable {
public:
    OpenTable(FileTable& files, FileNumber file) : files_(files), file_(file) {}
    ~OpenTable() { files_.Close(file_); }
    OpenTable(const OpenTable&) = delete;
    OpenTable& operator=(const OpenTable&) = delete;

private:
    FileTable& files_;
    FileNumber file_;
};

}  // namespace

void RecordSnapshot::Clear() {
    rows_ = 0;
    blocks_.clear();
    shortLengths_.clear();
    longLengths_.clear();
}

void RecordSnapshot::Allocate(std::int64_t rowsInFile) {
    if (longRows_) {
        longLengths_.assign(static_cast<std::size_t>(rowsInFile), 0);
    } else {
        shortLengths_.assign(static_cast<std::size_t>(rowsInFile), 0);
    }
    for (std::int64_t first = 0; first < rowsInFile; first += blockRows_) {
        const std::int64_t rows = std::min(blockRows_, rowsInFile - first);
        blocks_.push_back(
            std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(rows * rowBytes_)));
    }
}

std::int16_t RecordSnapshot::Load(Session& session) {
    Clear();
    FileTable& files = session.access.files;
    const FileNumber file = OpenWithRetry(session.access, session.tableInfo.FileName);
    if (file == 0) {
        return 0;
    }
    const OpenTable open(files, file);
    const RecordSpan span = SpanOf(session.tableInfo, session.columns);
    rowBytes_ = span.RowBytes();
    longRows_ = span.neededBytes > std::numeric_limits<std::uint16_t>::max();
    // A record whose shown fields take no bytes is a row all the same.
    blockRows_ = std::max<std::int64_t>(1, kBlockBytes / std::max<std::int64_t>(1, rowBytes_));
    // Memory follows what the file holds: a record count beyond its end costs nothing.
    const std::int64_t rowsInFile = span.RowsIn(files.Size(file));
    try {
        Allocate(rowsInFile);
        for (std::size_t block = 0; block < blocks_.size(); ++block) {
            const std::int64_t first = static_cast<std::int64_t>(block) * blockRows_;
            const std::int64_t count = std::min(blockRows_, rowsInFile - first);
            if (longRows_) {
                ReadRecords(files, file, span, first, count, blocks_[block].get(),
                            longLengths_.data() + first);
            } else {
                ReadRecords(files, file, span, first, count, blocks_[block].get(),
                            shortLengths_.data() + first);
            }
        }
    } catch (...) {
        Clear();
        throw;
    }
    rows_ = static_cast<std::int32_t>(span.rows);
    return 1;
}

std::string_view RecordSnapshot::Values(std::int32_t row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= RowsHeld()) {
        return {};
    }
    const auto block = static_cast<std::size_t>(row / blockRows_);
    const std::int64_t at = (row % blockRows_) * rowBytes_;
    const auto index = static_cast<std::size_t>(row);
    return std::string_view(blocks_[block].get() + at,
                            longRows_ ? longLengths_[index] : shortLengths_[index]);
}

std::size_t RecordSnapshot::MemoryBytes() const {
    std::size_t bytes = shortLengths_.capacity() * sizeof(std::uint16_t) +
                        longLengths_.capacity() * sizeof(std::uint32_t);
    for (std::size_t block = 0; block < blocks_.size(); ++block) {
        const std::int64_t rows =
            std::min<std::int64_t>(blockRows_, static_cast<std::int64_t>(RowsHeld()) -
                                                   static_cast<std::int64_t>(block) * blockRows_);
        bytes += static_cast<std::size_t>(rows * rowBytes_);
    }
    return bytes;
}

}  // namespace tessaro
