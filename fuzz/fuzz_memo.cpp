// Memo extraction on any memo file. The input's first three bytes choose the memo reference,
// the table around it and the code page of its text; the rest is the .dbt (or .fpt) file:
//   byte 0   below 0x80: one of the block-number texts below;
//            from 0x80: the next (byte 0 & 0x1F) input bytes are the block-number text
//   byte 1   bit 0: level 7 table; bits 1-2: the fields (see TableBytes);
//            bits 3-4: the memo field's length (10, 1, 32, 255); bit 5: the memo is in
//            the second of two records; bit 6: a dBASE IV table (0x8B) instead of a
//            dBASE III one (0x83), whose memo blocks have no header; bit 7: a FoxPro table
//            with its memos in a .fpt file: FoxPro 2.6 (0xF5, the block number in digits),
//            or with bit 0 Visual FoxPro (0x30, the block number in 4 binary bytes)
//   byte 2   the code page: 0 the German DOS rule, else one of the menu
// The copy must never write more than the memo file holds (in UTF-8, three bytes a byte at
// most, plus the byte order mark and the closing CR LF), whatever length a block claims.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "FuzzSupport.h"
#include "builder/TableBuilder.h"
#include "fileio/FileSystem.h"
#include "fileio/SmallFile.h"
#include "table/CodePage.h"
#include "table/FillRecordCells.h"
#include "table/MemoCopy.h"
#include "table/MemoFile.h"
#include "table/ReadTableHeader.h"
#include "table/RecordCells.h"
#include "table/ShowMemoField.h"
#include "table/TextConversion.h"

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
    bool foxPro;
    bool level7;
    bool dbase3;  // level 5: a dBASE III table, whose memo blocks have no header
    int fields;   // 0: the memo alone; 1: a name before it; 2: a name that looks like a
                  // reference before it; 3: a blank memo field before it
    std::size_t memoLength;
    bool secondRecord;
};

// The value right-aligned in its field, as dBASE stores memo block numbers.
std::string RightAligned(std::string_view value, std::size_t length) {
    value = value.substr(0, length);
    return std::string(length - value.size(), ' ') + std::string(value);
}

// A block-number text as Visual FoxPro stores it: four bytes, little-endian.
std::string BinaryBlockNumber(std::string_view blockText) {
    std::uint32_t block = 0;
    std::from_chars(blockText.data(), blockText.data() + blockText.size(), block);
    return test::LittleEndian32(block);
}

std::uint8_t VersionOf(const Layout& layout) {
    if (layout.foxPro) {
        return layout.level7 ? 0x30 : 0xF5;
    }
    return layout.level7 ? 0x04 : layout.dbase3 ? 0x83 : 0x8B;
}

std::string TableBytes(const Layout& layout, std::string_view blockText) {
    test::TableBuilder table(VersionOf(layout));
    std::string values;
    if (layout.fields == 1) {
        table.Field("NAME", 'C', 10);
        values += "Kunde     ";
    } else if (layout.fields == 2) {
        table.Field("VERWEIS", 'C', 40);
        std::string reference = "Block: " + std::string(blockText);
        reference.resize(40, ' ');
        values += reference;
    } else if (layout.fields == 3) {
        table.Field("LEER", 'M', 10);
        values += std::string(10, ' ');
    }
    if (layout.foxPro && layout.level7) {
        table.Field("NOTIZ", 'M', 4);
        values += BinaryBlockNumber(blockText);
    } else {
        table.Field("NOTIZ", 'M', static_cast<std::uint8_t>(layout.memoLength));
        values += RightAligned(blockText, layout.memoLength);
    }
    if (layout.secondRecord) {
        table.RawRecord(std::string(values.size(), ' '));  // a record without a memo
    }
    table.RawRecord(values);
    return table.Bytes();
}

// What CopyMemoText hands over: how many bytes, and whether they are text.
struct Copied final : MemoWriter {
    void Begin(bool isText) override {
        Require(!begun, "one memo a copy");
        begun = true;
        text = isText;
    }
    void Write(std::string_view bytes) override {
        Require(begun, "the kind of the memo comes first");
        bytes_ += static_cast<std::int64_t>(bytes.size());
    }
    bool begun = false;
    bool text = false;
    std::int64_t bytes_ = 0;
};

Copied CopiedBytes(const std::string& memo, std::string_view cellText, MemoStyle style) {
    QuietSession quiet;
    FileTable& files = quiet.session.access.files;
    const OpenAttempt opened = files.TryOpen(memo, OpenMode::Binary);
    Require(opened.number != 0, "the memo file opens");
    Copied copied;
    const bool found = CopyMemoText(files, opened.number, cellText, copied, style);
    files.Close(opened.number);
    Require(found == copied.begun, "a found memo begins");
    return copied;
}

constexpr std::int64_t kMarkAndLineEnd = 3 + 2;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto choice = static_cast<unsigned char>(input[0]);
    const auto layoutBits = static_cast<unsigned char>(input[1]);
    const auto pageChoice = static_cast<unsigned char>(input[2]);
    input.remove_prefix(3);
    const auto pages = KnownCodePages();
    const int codePage = pageChoice == 0 ? kGermanDosRule : pages[pageChoice % pages.size()].number;
    std::string_view blockText;
    if (choice < 0x80) {
        blockText = kBlockTexts[choice % std::size(kBlockTexts)];
    } else {
        blockText = input.substr(0, std::min<std::size_t>(choice & 0x1F, input.size()));
        input.remove_prefix(blockText.size());
    }
    constexpr std::size_t kMemoLengths[] = {10, 1, 32, 255};
    const Layout layout{(layoutBits & 0x80) != 0,
                        (layoutBits & 1) != 0,
                        (layoutBits & 0x40) == 0,
                        (layoutBits >> 1) & 3,
                        kMemoLengths[(layoutBits >> 3) & 3],
                        (layoutBits & 0x20) != 0};

    const std::string table = WorkFile("t.dbf");
    const std::string memo = WorkFile(layout.foxPro ? "t.fpt" : "t.dbt");
    const std::string text = WorkFile("t.tmp");
    const std::string tableBytes = TableBytes(layout, blockText);
    WriteWholeFile(table, tableBytes);
    WriteWholeFile(memo, input);
    const auto memoSize = static_cast<std::int64_t>(input.size());

    QuietSession quiet(/*yes=*/true);
    Session& session = quiet.session;
    session.tableInfo.FileName = table;
    Require(ReadTableHeader(session, table, nullptr) == 1, "the made table is accepted");
    RecordCells cells;
    Require(cells.Load(session) == 1, "the made table is read");
    UseCodePage(session, cells, codePage);
    const MemoStyle style = MemoStyleOf(session.tableInfo.Version);

    for (std::int32_t row = 0; row < cells.RowCount(); ++row) {
        RemoveFile(text);
        ShowMemoField(session, nullptr, &cells, row);
        Require(session.access.files.OpenCount() == 0, "memo and text file are closed again");
        const std::int64_t written = FindFileSize(text);
        Require(written <= 3 * memoSize + kMarkAndLineEnd,
                "the text file holds no more than the memo file");
        const std::optional<std::string> reference =
            FindMemoReference(&cells, row, session.columns.ColumnCount());
        if (!reference || memoSize < MinimumMemoFileSize(style)) {
            continue;
        }
        const Copied copied = CopiedBytes(memo, *reference, style);
        if (!copied.begun) {
            Require(written == 0, "without a memo the text file is empty");
        } else if (!copied.text) {
            Require(written == copied.bytes_ + 2, "a picture or an object is copied as stored");
        } else {
            Require(written <= 3 * copied.bytes_ + kMarkAndLineEnd, "three bytes a byte at most");
            const std::optional<std::string> content = ReadSmallFile(text, 1 << 30);
            Require(content && IsValidUtf8(*content), "the text is UTF-8");
        }
    }
    Require(FindFileSize(memo) == memoSize &&
                FindFileSize(table) == static_cast<std::int64_t>(tableBytes.size()),
            "table and memo file keep their size");

    // The copy on its own, also with texts no memo field could hold.
    const std::string cellText = "Block: " + std::string(blockText);
    for (const MemoStyle any : {MemoStyle::Dbase4, MemoStyle::Dbase3, MemoStyle::FoxPro}) {
        Require(CopiedBytes(memo, cellText, any).bytes_ <= memoSize,
                "the copy stops at the end of the file");
    }
    return 0;
}
