// Loading a table as the viewer does: the header, then every record; every cell's text as the
// viewer makes it and as tessaro-dump fills it, which must agree. Also the value formatting
// alone, on slices of the input.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "FuzzSupport.h"
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
// four bytes a record for their lengths.
std::size_t MemoryAllowed(std::int64_t rows, std::size_t fileSize) {
    return (std::size_t{1} << 20) + static_cast<std::size_t>(4 * rows) + fileSize;
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

void FormatSlices(std::string_view input) {
    const std::string_view slices[] = {
        input.substr(0, std::min<std::size_t>(input.size(), 255)),
        input.substr(0, std::min<std::size_t>(input.size(), 8)),
        input.substr(0, std::min<std::size_t>(input.size(), 4)),
        input.substr(input.size() / 2, std::min<std::size_t>(input.size() - input.size() / 2, 255)),
        input.substr(input.size() - std::min<std::size_t>(input.size(), 3)),
    };
    for (const ValueDialect dialect : {ValueDialect::DBase, ValueDialect::FoxPro}) {
        for (const char type : std::string_view("CNFDLMI+O@BG0YTVQ")) {
            for (const std::string_view raw : slices) {
                // Exactly the room the caller must give, so that any overrun is caught.
                const auto out = std::make_unique<char[]>(kCellTextRoom);
                const std::size_t length = FormatCellTextInto(type, raw, out.get(), dialect);
                Require(length < kCellTextRoom, "a cell's text fits the room promised");
                const std::string_view text(out.get(), length);
                Require(FormatCellText(type, raw, dialect) == text, "both forms agree");
                Require(CutToCharacters(text, kCellTextMax) == text, "at most 127 characters");
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    FormatSlices(input);

    const std::string table = WorkFile("t.dbf");
    WriteWholeFile(table, input);
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
    SameAsViewer filled(cells);
    Require(FillRecordCells(session, filled) == 1, "an unlocked table is read again");
    return 0;
}
