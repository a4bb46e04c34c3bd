#include "FillRecordCells.h"

#include <algorithm>
#include <vector>

#include "table/FieldValue.h"
#include "table/RecordReader.h"
#include "table/TextConversion.h"

namespace tessaro {

namespace {

// Records are read a run at a time: one read for about this many bytes.
constexpr std::int64_t kRunBytes = 1 << 20;

// Turns the values of one record into cell texts and marks a row with a memo.
void FormatRecord(const ColumnLayout& layout, std::int32_t row, std::string_view values,
                  RecordList& list) {
    char text[kCellTextRoom];
    bool hasMemo = false;
    int number = 0;
    for (const ShownColumn& column : layout.columns) {
        const std::size_t length = FormatColumnTextInto(layout, column, values, text);
        hasMemo = hasMemo || (column.type == 'M' && length > 0);
        list.SetCellText(row, ++number, std::string_view(text, length));
    }
    if (hasMemo) {
        list.SetRowImage(row, kMemoRowImage);
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
    const ColumnLayout& layout = session.columns;
    const RecordSpan span = SpanOf(info, layout);
    const std::int64_t first = std::clamp<std::int64_t>(firstRow, 0, span.rows);
    const std::int64_t end =
        rowCount < 0 ? span.rows : std::min<std::int64_t>(span.rows, first + rowCount);
    const std::int64_t rowBytes = span.RowBytes();
    // A record whose shown fields take no bytes is a row all the same.
    const std::int64_t runRows =
        std::max<std::int64_t>(1, kRunBytes / std::max<std::int64_t>(1, rowBytes));
    std::vector<char> run(static_cast<std::size_t>(std::min(runRows, end - first) * rowBytes));
    std::vector<std::uint32_t> lengths(static_cast<std::size_t>(runRows));
    for (std::int64_t row = first; row < end; row += runRows) {
        const std::int64_t count = std::min(runRows, end - row);
        ReadRecords(files, file, span, row, count, run.data(), lengths.data());
        for (std::int64_t i = 0; i < count; ++i) {
            const std::string_view values(run.data() + i * rowBytes,
                                          lengths[static_cast<std::size_t>(i)]);
            FormatRecord(layout, static_cast<std::int32_t>(row + i), values, list);
        }
    }
    files.Close(file);
    return 1;
}

void ShowLockedWhileReading(Session& session, WindowHandle owner) {
    session.Desktop().ShowMessageBox(owner,
                                     "Die Datei " + ShownFileName(session.tableInfo.FileName) +
                                         "\r\nwurde während des lesens gesperrt.",
                                     "Tessaro Programminfo", BoxButtons::Ok | BoxIcon::Stop);
}

}  // namespace tessaro
