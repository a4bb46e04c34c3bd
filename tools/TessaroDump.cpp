// tessaro-dump: the tables the viewer shows, as text for terminals and scripts.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "table/CellStore.h"
#include "fileio/FileSystem.h"
#include "table/FillRecordCells.h"
#include "table/MemoFile.h"
#include "table/ReadTableHeader.h"
#include "table/ShowMemoField.h"
#include "tools/DumpFormat.h"
#include "tools/DumpMain.h"
#include "tools/StderrDesktop.h"

namespace {

using namespace tessaro;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "Aufruf: tessaro-dump [--info | --csv | --memo SATZ] TABELLE\n"
    "\n"
    "  TABELLE               alle Sätze, tabulatorgetrennt, eine Zeile je Satz\n"
    "  --info TABELLE        Kopf und Felder der Tabelle\n"
    "  --csv TABELLE         alle Sätze als CSV (RFC 4180)\n"
    "  --memo SATZ TABELLE   der Memotext des Satzes SATZ, wie er in die Textdatei käme\n";

enum class Mode { Listing, Csv, Info, Memo };

struct Arguments {
    Mode mode = Mode::Listing;
    std::string table;
    std::int32_t record = 0;
};

bool ParseRecordNumber(std::string_view text, std::int32_t& record) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), record);
    return error == std::errc() && end == text.data() + text.size() && record >= 1;
}

bool ParseArguments(int argc, char** argv, Arguments& arguments) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--info") {
        arguments = {Mode::Info, std::string(args[1])};
        return true;
    }
    if (args.size() == 2 && args[0] == "--csv") {
        arguments = {Mode::Csv, std::string(args[1])};
        return true;
    }
    if (args.size() == 3 && args[0] == "--memo") {
        arguments = {Mode::Memo, std::string(args[2])};
        return ParseRecordNumber(args[1], arguments.record);
    }
    if (args.size() == 1 && !args[0].starts_with("--")) {
        arguments = {Mode::Listing, std::string(args[0])};
        return true;
    }
    return false;
}

// Reads every record into the cells, as the viewer does.
bool FillCells(Session& session, CellStore& cells) {
    cells.Reset(session.tableInfo.RecordCount, session.tableInfo.FieldCount);
    if (FillRecordCells(session, cells) == 0) {
        ShowLockedWhileReading(session, nullptr);
        return false;
    }
    return true;
}

int Fail(const std::string& why) {
    std::fputs((why + "\n").c_str(), stderr);
    return kExitFailed;
}

int ListTable(Session& session, ListingStyle style) {
    const TableInfo& info = session.tableInfo;
    ListingWriter listing(std::max<std::int32_t>(0, info.RecordCount), info.FieldCount, style, stdout);
    listing.AppendHeading(info, session.fieldTable);
    if (FillRecordCells(session, listing) == 0) {
        listing.Discard();  // nothing on standard output when the table cannot be read
        ShowLockedWhileReading(session, nullptr);
        return kExitFailed;
    }
    listing.Finish();
    return kExitOk;
}

// The memo steps of the viewer without the question, the text file and the editor: the
// bytes the text file would hold go to standard output.
int DumpMemo(Session& session, std::int32_t record) {
    const TableInfo& info = session.tableInfo;
    if (info.MemoFieldCount == 0) {
        return Fail("Die Tabelle hat keine Memofelder.");
    }
    CellStore cells;
    if (!FillCells(session, cells)) {
        return kExitFailed;
    }
    const std::string number = std::to_string(record);
    if (record > cells.RowCount()) {
        return Fail("Satz " + number + " gibt es nicht: die Tabelle hat " +
                    std::to_string(cells.RowCount()) + " Sätze.");
    }
    const std::optional<std::string> reference = FindMemoReference(&cells, record - 1, info.FieldCount);
    if (!reference) {
        return Fail("Satz " + number + " verweist auf kein Memo.");
    }
    const std::string memoName = MemoFileNamesFor(info.FileName).memo;
    if (FindFileSize(memoName) < kMinimumMemoFileSize) {
        return Fail("Memodatei " + memoName + " fehlt oder ist kürzer als 32 Bytes.");
    }
    FileTable& files = session.access.files;
    const FileNumber memoFile = OpenWithRetry(session.access, memoName);
    if (memoFile == 0) {
        ShowMemoFileLocked(session, nullptr, memoName);
        return kExitFailed;
    }
    CopyMemoText(files, memoFile, *reference, [](std::string_view bytes) {
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    });
    files.Close(memoFile);
    return kExitOk;
}

}  // namespace

int tessaro::RunDump(int argc, char** argv) {
    Arguments arguments;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (!ParseArguments(argc, argv, arguments)) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    StderrDesktop desktop;
    Session session(desktop);
    session.tableInfo.FileName = arguments.table;
    if (ReadTableHeader(session, arguments.table, nullptr) == 0) {
        return kExitFailed;
    }
    switch (arguments.mode) {
        case Mode::Info: {
            const std::string text = InfoText(session.tableInfo, session.fieldTable);
            std::fwrite(text.data(), 1, text.size(), stdout);
            return kExitOk;
        }
        case Mode::Csv: return ListTable(session, ListingStyle::Csv);
        case Mode::Listing: return ListTable(session, ListingStyle::Tabs);
        case Mode::Memo: return DumpMemo(session, arguments.record);
    }
    return kExitOk;
}
