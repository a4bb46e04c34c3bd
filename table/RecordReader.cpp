#include "RecordReader.h"

#include <algorithm>

namespace tessaro {

namespace {

// Below this many bytes between the shown values of two records, the records are read in
// runs; above it each record's shown values are read alone.
constexpr std::int64_t kSparseGap = 4096;

template <typename Length>
Length LengthHeld(std::int64_t available, std::int64_t needed) {
    return static_cast<Length>(std::clamp<std::int64_t>(available, 0, needed));
}

}  // namespace

bool RecordSpan::ReadsEachRecord() const { return stride - 1 - neededBytes >= kSparseGap; }

std::int64_t RecordSpan::RowsIn(std::int64_t fileSize) const {
    const std::int64_t behindFirst = fileSize - firstValue;
    if (behindFirst <= 0) {
        return 0;
    }
    return std::min(rows, (behindFirst + stride - 1) / stride);
}

RecordSpan SpanOf(const TableInfo& info, const ColumnLayout& layout) {
    RecordSpan span;
    span.rows = std::max<std::int32_t>(0, info.RecordCount);
    span.stride = info.RecordStride();
    span.firstValue = std::int64_t{info.HeaderBytes()} + 1;  // behind the deletion flag
    span.neededBytes = static_cast<std::int64_t>(layout.neededBytes);
    return span;
}

template <typename Length>
void ReadRecords(FileTable& files, FileNumber file, const RecordSpan& span, std::int64_t first,
                 std::int64_t count, char* buffer, Length* lengths) {
    if (span.ReadsEachRecord()) {
        if (span.neededBytes == 0) {  // nothing shown: nothing to read
            std::fill(lengths, lengths + count, 0);
            return;
        }
        for (std::int64_t i = 0; i < count; ++i) {
            files.SetPosition(file, span.firstValue + (first + i) * span.stride + 1);
            const ReadResult got = files.ReadBytes(file, buffer + i * span.neededBytes,
                                                   static_cast<std::size_t>(span.neededBytes),
                                                   FileTable::Buffering::Unbuffered);
            lengths[i] = LengthHeld<Length>(static_cast<std::int64_t>(got.count), span.neededBytes);
        }
        return;
    }
    files.SetPosition(file, span.firstValue + first * span.stride + 1);
    const ReadResult got =
        files.ReadBytes(file, buffer, static_cast<std::size_t>(count * span.stride));
    for (std::int64_t i = 0; i < count; ++i) {
        lengths[i] = LengthHeld<Length>(static_cast<std::int64_t>(got.count) - i * span.stride,
                                        span.neededBytes);
    }
}

template void ReadRecords(FileTable&, FileNumber, const RecordSpan&, std::int64_t, std::int64_t,
                          char*, std::uint16_t*);
template void ReadRecords(FileTable&, FileNumber, const RecordSpan&, std::int64_t, std::int64_t,
                          char*, std::uint32_t*);

}  // namespace tessaro
