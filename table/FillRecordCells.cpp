#include "FillRecordCells.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "table/FieldValue.h"

namespace tessaro {

namespace {

// Records are read a batch at a time: one read for about this many bytes.
constexpr std::int64_t kBatchBytes = 1 << 20;

struct ShownField {
    char type;
    std::size_t offset;  // from the record's first value byte
    std::size_t length;
};

// The records a fill reads, and where their values lie in the file.
struct RecordSpan {
    std::int64_t firstRow = 0;
    std::int64_t endRow = 0;      // one past the last
    std::int64_t stride = 1;      // 1 + the lengths of all fields, shown or not
    std::int64_t firstValue = 1;  // file offset of record 1's first value
    std::int64_t shownBytes = 0;  // of each record's values, from its first value byte
};

std::vector<ShownField> ShownFields(const TableInfo& info, const FieldTable& fields) {
    std::vector<ShownField> shown;
    std::size_t offset = 0;
    for (int f = 1; f <= info.FieldCount; ++f) {
        const auto length = static_cast<std::size_t>(fields[f].FieldLength);
        shown.push_back({fields[f].FieldType, offset, length});
        offset += length;
    }
    return shown;
}

// Turns the values of one record into cell texts. `values` holds the bytes that were
// there: a record cut short by the end of the file gives its fields fewer bytes, or none.
class RecordFormatter {
public:
    RecordFormatter(const std::vector<ShownField>& fields, ValueDialect dialect, RecordList& list)
        : fields_(fields), dialect_(dialect), list_(list) {}

    void Format(std::int32_t row, std::string_view values) {
        bool hasMemo = false;
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            const ShownField& field = fields_[i];
            const std::string_view raw =
                field.offset < values.size()
                    ? values.substr(field.offset,
                                    std::min(field.length, values.size() - field.offset))
                    : std::string_view{};
            const std::size_t length = FormatCellTextInto(field.type, raw, utf8_, dialect_);
            if (field.type == 'M' && length > 0) {
                hasMemo = true;
            }
            list_.SetCellText(row, static_cast<int>(i) + 1, std::string_view(utf8_, length));
        }
        if (hasMemo) {
            list_.SetRowImage(row, kMemoRowImage);
        }
    }

private:
    const std::vector<ShownField>& fields_;
    ValueDialect dialect_;
    RecordList& list_;
    char utf8_[kCellTextRoom];
};

}  // namespace

namespace {

// Below this many bytes between the shown values of two records, the records are read in
// batches; above it each record's shown values are read alone, so that the fields beyond
// the 128 shown (a table of 2040 fields is 34 GB) are not read at all.
constexpr std::int64_t kSparseGap = 4096;

void FillBatched(FileTable& files, FileNumber file, const RecordSpan& span,
                 RecordFormatter& formatter) {
    const std::int64_t stride = span.stride;
    const std::int64_t batchRecords = std::max<std::int64_t>(1, kBatchBytes / stride);
    std::vector<char> batch(static_cast<std::size_t>(batchRecords * stride));
    for (std::int64_t first = span.firstRow; first < span.endRow; first += batchRecords) {
        const std::int64_t count = std::min<std::int64_t>(batchRecords, span.endRow - first);
        files.SetPosition(file, span.firstValue + first * stride + 1);
        const ReadResult got =
            files.ReadBytes(file, batch.data(), static_cast<std::size_t>(count * stride));
        const std::string_view bytes(batch.data(), got.count);
        for (std::int64_t i = 0; i < count; ++i) {
            const auto start = static_cast<std::size_t>(i * stride);
            const std::string_view values =
                start < bytes.size() ? bytes.substr(start, static_cast<std::size_t>(stride - 1))
                                     : std::string_view{};
            formatter.Format(static_cast<std::int32_t>(first + i), values);
        }
    }
}

void FillSparse(FileTable& files, FileNumber file, const RecordSpan& span,
                RecordFormatter& formatter) {
    std::vector<char> record(static_cast<std::size_t>(span.shownBytes));
    for (std::int64_t row = span.firstRow; row < span.endRow; ++row) {
        files.SetPosition(file, span.firstValue + row * span.stride + 1);
        const ReadResult got =
            files.ReadBytes(file, record.data(), record.size(), FileTable::Buffering::Unbuffered);
        formatter.Format(static_cast<std::int32_t>(row),
                         std::string_view(record.data(), got.count));
    }
}

}  // namespace

std::int16_t FillRecordCells(Session& session, RecordList& list, std::int32_t firstRow,
                             std::int32_t rowCount) {
    const TableInfo& info = session.tableInfo;
    FileTable& files = session.access.files;
    const FileNumber file = OpenWithRetry(session.access, info.FileName);
    if (file == 0) {
        return 0;
    }
    const std::vector<ShownField> fields = ShownFields(info, session.fieldTable);
    RecordFormatter formatter(fields, DialectOf(info.Version), list);
    RecordSpan span;
    span.stride = info.RecordStride();
    span.firstValue = std::int64_t{info.HeaderBytes()} + 1;  // behind the deletion flag
    span.shownBytes =
        fields.empty() ? 0 : static_cast<std::int64_t>(fields.back().offset + fields.back().length);
    const std::int64_t records = std::max<std::int32_t>(0, info.RecordCount);
    span.firstRow = std::clamp<std::int64_t>(firstRow, 0, records);
    span.endRow =
        rowCount < 0 ? records : std::min<std::int64_t>(records, span.firstRow + rowCount);
    if (span.stride - 1 - span.shownBytes >= kSparseGap) {
        FillSparse(files, file, span, formatter);
    } else {
        FillBatched(files, file, span, formatter);
    }
    files.Close(file);
    return 1;
}

void ShowLockedWhileReading(Session& session, WindowHandle owner) {
    session.Desktop().ShowMessageBox(
        owner, "Die Datei " + session.tableInfo.FileName + "\r\nwurde während des lesens gesperrt.",
        "Tessaro Programminfo", BoxButtons::Ok | BoxIcon::Stop);
}

}  // namespace tessaro
