// Loading a table as the viewer does: the header, then every record, the code page; every
// cell's text as the viewer makes it and as tessaro-dump fills it, which must agree. Also the
// value formatting alone, on slices of the input, in every code page. The input's last byte
// picks the code page: below 0x80 the table's own (from 0x40 with a .cpg file beside the
// table that holds the 16 bytes before the last), else one of the menu by its low bits; the
// language driver byte of the table is its byte 29.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "FuzzSupport.h"
#include "table/CodePageChoice.h"
#include "table/FieldValue.h"
#include "table/FillRecordCells.h"
#include "table/ReadTableHeader.h"
#include "table/RecordCells.h"
#include "table/TextConversion.h"

using namespace tessaro;
using namespace tessaro::fuzz;

namespace {

// A table of 65536 records and 128 fields takes a second or more under the sanitizers and
// would starve the search; the damaged-files tests load such tables at full size.
constexpr std::int64_t kMaxCells = std::int64_t{1} << 17;

// The records held are no more than the file (and the rest of a record it cuts short), and
// two bytes a record for their lengths.
std::size_t MemoryAllowed(std::int64_t rows, std::size_t fileSize) {
    return (std::size_t{1} << 20) + static_cast<std::size_t>(2 * rows) + fileSize;
}

// What tessaro-dump fills, cell by cell, held against what the viewer shows.
class SameAsViewer final : public RecordList {
public:
    explicit SameAsViewer(const RecordCells& shown) : shown_(shown) {}
    std::int32_t RowCount() const override { return shown_.RowCount(); }
    void SetCellText(std::int32_t row, int column, std::string_view text) override {
        Require(text == shown_.CellText(row, column), "the dump and the viewer agree");
        Require(CutToCharacters(text, kCellTextMax).size() == text.size(),
                "a cell shows at most 127 characters");
    }
    std::string_view CellText(std::int32_t, int) const override { return {}; }
    void SetRowImage(std::int32_t row, int image) override {
        Require(image == shown_.RowImage(row), "the memo image agrees");
    }

private:
    const RecordCells& shown_;
};

// The code page the last byte picks, none for the table's own.
std::optional<int> PickedCodePage(std::string_view input) {
    const auto pick = input.empty() ? 0u : static_cast<unsigned char>(input.back());
    if (pick < 0x80) {
        return std::nullopt;
    }
    const auto pages = KnownCodePages();
    return pages[(pick & 0x7Fu) % pages.size()].number;
}

void FormatSlices(std::string_view input) {
    const std::string_view slices[] = {
        input.substr(0, std::min<std::size_t>(input.size(), 255)),
        input.substr(0, std::min<std::size_t>(input.size(), 8)),
        input.substr(0, std::min<std::size_t>(input.size(), 4)),
        input.substr(input.size() / 2, std::min<std::size_t>(input.size() - input.size() / 2, 255)),
        input.substr(input.size() - std::min<std::size_t>(input.size(), 3)),
    };
    const CharacterDecoder picked(PickedCodePage(input).value_or(kGermanDosRule));
    for (const ValueDialect dialect : {ValueDialect::DBase, ValueDialect::FoxPro}) {
        for (const char type : std::string_view("CNFDLMI+O@BG0YTVQ")) {
            for (const std::string_view raw : slices) {
                // Exactly the room the caller must give, so that any overrun is caught; the
                // value's bytes in a copy of their own size, so that a read beyond it is too.
                const auto out = std::make_unique<char[]>(kCellTextRoom);
                const auto alone = std::make_unique<char[]>(raw.size());
                std::copy(raw.begin(), raw.end(), alone.get());
                const std::string_view value(alone.get(), raw.size());
                const std::size_t length =
                    FormatCellTextInto(type, value, out.get(), dialect, picked);
                Require(length < kCellTextRoom, "a cell's text fits the room promised");
                const std::string_view text(out.get(), length);
                Require(FormatCellText(type, value, dialect, picked) == text, "both forms agree");
                Require(CutToCharacters(text, kCellTextMax) == text, "at most 127 characters");
                Require(IsValidUtf8(text) || type != 'C', "a character value is UTF-8");
            }
        }
    }
}

// A memo's text decoded in pieces, split where the input says, is the text decoded whole.
void DecodeMemoInPieces(std::string_view input) {
    const CharacterDecoder picked(PickedCodePage(input).value_or(kUtf8));
    std::string whole;
    MemoTextDecoder once(picked);
    once.Feed(input, whole);
    once.Finish(whole);
    Require(IsValidUtf8(whole), "a memo's text is UTF-8");
    std::string pieces;
    MemoTextDecoder split(picked);
    for (std::size_t at = 0; at < input.size();) {
        const std::size_t length =
            std::min<std::size_t>(input.size() - at, 1 + static_cast<unsigned char>(input[at]) % 7);
        split.Feed(input.substr(at, length), pieces);
        at += length;
    }
    split.Finish(pieces);
    Require(pieces == whole, "pieces decode as the whole");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    FormatSlices(input);
    DecodeMemoInPieces(input);

    const std::string table = WorkFile("t.dbf");
    WriteWholeFile(table, input);
    const std::string cpg = WorkFile("t.cpg");
    std::filesystem::remove(cpg);
    if (!input.empty() && (static_cast<unsigned char>(input.back()) & 0xC0) == 0x40) {
        WriteWholeFile(cpg, input.substr(input.size() - std::min<std::size_t>(input.size(), 17),
                                         std::min<std::size_t>(input.size(), 17) - 1));
    }
    QuietSession quiet;
    Session& session = quiet.session;
    session.tableInfo.FileName = table;
    if (ReadTableHeader(session, table, nullptr) == 0) {
        return 0;
    }
    const TableInfo& info = session.tableInfo;
    const std::int64_t rows = std::max<std::int32_t>(info.RecordCount, 0);
    const std::int64_t columns = info.FieldCount;
    if (rows * std::max<std::int64_t>(columns, 1) > kMaxCells) {
        return 0;
    }
    RecordCells cells;
    Require(cells.Load(session) == 1, "an unlocked table is read");
    Require(session.access.files.OpenCount() == 0, "the table is closed again");
    Require(cells.MemoryBytes() <= MemoryAllowed(rows, size), "the records stay small");
    // The code page: the viewer decides it from the records it holds, tessaro-dump from the
    // file, and both the same.
    const CodePageDecision automatic = AutomaticCodePage(session, cells);
    const CodePageDecision fromFile =
        AutomaticCodePage(session, [&session](CharacterEvidence& evidence, bool umlauts) {
            return ReadRecordEvidence(session, evidence, umlauts);
        });
    Require(automatic.codePage == fromFile.codePage && automatic.Why() == fromFile.Why(),
            "the viewer and the dump choose the same code page");
    Require(session.access.files.OpenCount() == 0, "the table is closed again");
    UseCodePage(session, cells, PickedCodePage(input).value_or(automatic.codePage));
    for (int column = 1; column <= cells.ColumnCount(); ++column) {
        Require(IsValidUtf8(ColumnHeading(
                    session.fieldTable[session.columns.columns[static_cast<std::size_t>(column - 1)]
                                           .field],
                    session.columns.text)),
                "a heading is UTF-8");
    }
    SameAsViewer filled(cells);
    Require(FillRecordCells(session, filled) == 1, "an unlocked table is read again");
    return 0;
}
