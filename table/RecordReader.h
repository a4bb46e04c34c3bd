#pragma once

#include <cstdint>

#include "fileio/FileTable.h"
#include "table/ColumnLayout.h"
#include "table/TableInfo.h"

namespace tessaro {

// Where the records' values lie in the table file and how much of each is read: every
// record is 1 + the lengths of all fields wide (whatever the header says), and only the
// bytes up to the end of the last field shown are needed.
struct RecordSpan {
    std::int64_t rows = 0;
    std::int64_t stride = 1;
    std::int64_t firstValue = 0;  // file offset of record 1's first value byte
    std::int64_t neededBytes = 0;

    // Records whose shown values lie far apart (fields beyond the 128 shown: a table of 2040
    // fields is 34 GB) are read one by one, only their needed bytes; the others in runs.
    bool ReadsEachRecord() const;
    // The bytes a record takes in a buffer of records.
    std::int64_t RowBytes() const { return ReadsEachRecord() ? neededBytes : stride; }
    // The records of which a file of `fileSize` bytes holds at least the first value byte.
    std::int64_t RowsIn(std::int64_t fileSize) const;
};

RecordSpan SpanOf(const TableInfo& info, const ColumnLayout& layout);

// Reads records first .. first + count - 1 of the open table into `buffer`, which holds
// count × RowBytes() bytes: the values of record first + i begin at i × RowBytes(), and
// `lengths[i]` says how many of its needed bytes the file held (fewer at its end, down to
// 0). A failed read leaves what it got, as a read at the end of the file does; the file
// table keeps the failure (FileTable::TakeReadError). `Length` is std::uint16_t where the
// needed bytes fit in it, else std::uint32_t.
template <typename Length>
void ReadRecords(FileTable& files, FileNumber file, const RecordSpan& span, std::int64_t first,
                 std::int64_t count, char* buffer, Length* lengths);

}  // namespace tessaro
