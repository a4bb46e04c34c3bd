// tessaro-dump: the tables the viewer shows, as text for terminals and scripts.

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "table/CellStore.h"
#include "table/FillRecordCells.h"
#include "table/ReadTableHeader.h"
#include "tools/DumpFormat.h"
#include "tools/StderrDesktop.h"

namespace {

using namespace tessaro;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "Aufruf: tessaro-dump [--info | --csv] TABELLE\n"
    "\n"
    "  TABELLE          alle Sätze, tabulatorgetrennt, eine Zeile je Satz\n"
    "  --info TABELLE   Kopf und Felder der Tabelle\n"
    "  --csv TABELLE    alle Sätze als CSV (RFC 4180)\n";

enum class Mode { Listing, Csv, Info };

struct Arguments {
    Mode mode = Mode::Listing;
    std::string table;
};

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
    if (args.size() == 1 && !args[0].starts_with("--")) {
        arguments = {Mode::Listing, std::string(args[0])};
        return true;
    }
    return false;
}

// Output goes out in large pieces: a 65536-record listing is one stream of writes.
class Output {
public:
    ~Output() { Flush(); }
    std::string& Buffer() { return buffer_; }
    void FlushIfFull() {
        if (buffer_.size() >= kFlushBytes) {
            Flush();
        }
    }
    void Flush() {
        std::fwrite(buffer_.data(), 1, buffer_.size(), stdout);
        buffer_.clear();
    }

private:
    static constexpr std::size_t kFlushBytes = 1 << 20;
    std::string buffer_;
};

int ListTable(Session& session, ListingStyle style) {
    CellStore cells;
    const TableInfo& info = session.tableInfo;
    cells.Reset(info.RecordCount, info.FieldCount);
    if (FillRecordCells(session, cells) == 0) {
        ShowLockedWhileReading(session, nullptr);
        return kExitFailed;
    }
    Output output;
    AppendHeadingLine(output.Buffer(), info, session.fieldTable, style);
    for (std::int32_t row = 0; row < cells.RowCount(); ++row) {
        AppendRowLine(output.Buffer(), cells, row, style);
        output.FlushIfFull();
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
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
    }
    return kExitOk;
}
