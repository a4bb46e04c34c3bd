// Memo extraction on any memo file. The input's first two bytes choose the memo reference
// and the table around it; the rest is the .dbt file:
//   byte 0   below 0x80: one of the block-number texts below;
//            from 0x80: the next (byte 0 & 0x1F) input bytes are the block-number text
//   byte 1   bit 0: level 7 table; bits 1-2: the fields (see TableBytes);
//            bits 3-4: the memo field's length (10, 1, 32, 255); bit 5: the memo is in
//            the second of two records
// The copy must never write more than the memo file holds (plus the closing CR LF),
// whatever length a block claims.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "FuzzSupport.h"
#include "fileio/FileSystem.h"
#include "table/CellStore.h"
#include "table/FillRecordCells.h"
#include "table/MemoFile.h"
#include "table/ReadTableHeader.h"
#include "table/ShowMemoField.h"

using namespace tessaro;
using namespace tessaro::fuzz;

namespace {

constexpr std::string_view kBlockTexts[] = {
    "1",
    "2",
    "3",
    "0",
    "9",
    "17",
    "99999",
    "9999999999",
    "4294967296",
    "8999999999999999",
    "4503599627370497",
    "1e15",
    "abc",
    "1.5",
    "-1",
    "inf",
    "nan",
    "0x10",
    "1e-5",
    "",
    " 7",
};

struct Layout {
    bool level7;
    int fields;  // 0: the memo alone; 1: a name before it; 2: a name that looks like a
                 // reference before it; 3: a blank memo field before it
    std::size_t memoLength;
    bool secondRecord;
};

void PutLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

// The value right-aligned in its field, as dBASE stores memo block numbers.
std::string RightAligned(std::string_view value, std::size_t length) {
    value = value.substr(0, length);
    return std::string(length - value.size(), ' ') + std::string(value);
}

std::string TableBytes(const Layout& layout, std::string_view blockText) {
    struct Field {
        char name[12];
        char type;
        std::size_t length;
        std::string value;
    };
    std::vector<Field> fields;
    if (layout.fields == 1) {
        fields.push_back({"NAME", 'C', 10, "Kunde     "});
    } else if (layout.fields == 2) {
        fields.push_back({"VERWEIS", 'C', 40, "Block: " + std::string(blockText)});
        fields.back().value.resize(40, ' ');
    } else if (layout.fields == 3) {
        fields.push_back({"LEER", 'M', 10, std::string(10, ' ')});
    }
    fields.push_back({"NOTIZ", 'M', layout.memoLength, RightAligned(blockText, layout.memoLength)});

    const std::size_t first = layout.level7 ? 68 : 32;
    const std::size_t size = layout.level7 ? 48 : 32;
    const std::size_t nameWidth = layout.level7 ? 32 : 11;
    const std::size_t headerLength = first + fields.size() * size + 1;
    std::size_t recordLength = 1;
    for (const Field& field : fields) {
        recordLength += field.length;
    }
    std::string bytes(headerLength, '\0');
    bytes[0] = layout.level7 ? '\x04' : '\x83';
    PutLittleEndian(bytes, 4, layout.secondRecord ? 2 : 1, 4);
    PutLittleEndian(bytes, 8, static_cast<std::uint32_t>(headerLength), 2);
    PutLittleEndian(bytes, 10, static_cast<std::uint32_t>(recordLength), 2);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t at = first + i * size;
        bytes.replace(at, std::strlen(fields[i].name), fields[i].name);
        bytes[at + nameWidth] = fields[i].type;
        bytes[at + (layout.level7 ? 33 : 16)] = static_cast<char>(fields[i].length);
    }
    bytes[headerLength - 1] = '\x0D';
    if (layout.secondRecord) {
        bytes += ' ' + std::string(recordLength - 1, ' ');  // a record without a memo
    }
    bytes += ' ';
    for (const Field& field : fields) {
        bytes += field.value;
    }
    bytes += '\x1A';
    return bytes;
}

// Copies through CopyMemoText and counts what would be written.
std::int64_t CopiedBytes(const std::string& memo, std::string_view cellText) {
    QuietSession quiet;
    FileTable& files = quiet.session.access.files;
    const OpenAttempt opened = files.TryOpen(memo, OpenMode::Binary);
    Require(opened.number != 0, "the memo file opens");
    std::int64_t written = 0;
    const bool found = CopyMemoText(files, opened.number, cellText, [&](std::string_view bytes) {
        written += static_cast<std::int64_t>(bytes.size());
    });
    files.Close(opened.number);
    Require(found || written == 0, "without a memo block nothing is handed over");
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto choice = static_cast<unsigned char>(input[0]);
    const auto layoutBits = static_cast<unsigned char>(input[1]);
    input.remove_prefix(2);
    std::string_view blockText;
    if (choice < 0x80) {
        blockText = kBlockTexts[choice % std::size(kBlockTexts)];
    } else {
        blockText = input.substr(0, std::min<std::size_t>(choice & 0x1F, input.size()));
        input.remove_prefix(blockText.size());
    }
    constexpr std::size_t kMemoLengths[] = {10, 1, 32, 255};
    const Layout layout{(layoutBits & 1) != 0, (layoutBits >> 1) & 3,
                        kMemoLengths[(layoutBits >> 3) & 3], (layoutBits & 0x20) != 0};

    const std::string table = WorkFile("t.dbf");
    const std::string memo = WorkFile("t.dbt");
    const std::string text = WorkFile("t.tmp");
    const std::string tableBytes = TableBytes(layout, blockText);
    WriteWholeFile(table, tableBytes);
    WriteWholeFile(memo, input);
    const auto memoSize = static_cast<std::int64_t>(input.size());

    QuietSession quiet(/*yes=*/true);
    Session& session = quiet.session;
    session.tableInfo.FileName = table;
    Require(ReadTableHeader(session, table, nullptr) == 1, "the made table is accepted");
    CellStore cells;
    cells.Reset(session.tableInfo.RecordCount, session.tableInfo.FieldCount);
    Require(FillRecordCells(session, cells) == 1, "the made table is read");

    for (std::int32_t row = 0; row < cells.RowCount(); ++row) {
        RemoveFile(text);
        ShowMemoField(session, nullptr, &cells, row);
        Require(session.access.files.OpenCount() == 0, "memo and text file are closed again");
        const std::int64_t written = FindFileSize(text);
        Require(written <= memoSize + 2, "the text file holds no more than the memo file");
        const std::optional<std::string> reference =
            FindMemoReference(&cells, row, session.tableInfo.FieldCount);
        if (reference && memoSize >= kMinimumMemoFileSize) {
            Require(written == CopiedBytes(memo, *reference), "the text file holds the copy");
        }
    }
    Require(FindFileSize(memo) == memoSize &&
                FindFileSize(table) == static_cast<std::int64_t>(tableBytes.size()),
            "table and memo file keep their size");

    // The copy on its own, also with texts no memo field could hold.
    const std::string cellText = "Block: " + std::string(blockText);
    Require(CopiedBytes(memo, cellText) <= memoSize + 2, "the copy stops at the end of the file");
    return 0;
}
