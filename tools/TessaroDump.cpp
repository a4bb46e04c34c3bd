// tessaro-dump: the tables the viewer shows, as text for terminals and scripts.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <new>

#include "fileio/ErrorMessage.h"
#include "table/CodePage.h"
#include "table/CodePageChoice.h"
#include "table/FillRecordCells.h"
#include "table/MemoCopy.h"
#include "table/MemoFile.h"
#include "table/OneRowCells.h"
#include "table/ReadTableHeader.h"
#include "table/ShowMemoField.h"
#include "table/TextConversion.h"
#include "tools/CheckedOutput.h"
#include "tools/DumpFormat.h"
#include "tools/DumpMain.h"
#include "tools/StderrDesktop.h"

namespace {

using namespace tessaro;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "Aufruf: tessaro-dump [--codepage NAME] [--info | --csv | --memo SATZ] TABELLE\n"
    "\n"
    "  TABELLE               alle Sätze, tabulatorgetrennt, eine Zeile je Satz\n"
    "  --info TABELLE        Kopf und Felder der Tabelle\n"
    "  --csv TABELLE         alle Sätze als CSV (RFC 4180)\n"
    "  --memo SATZ TABELLE   der Memotext des Satzes SATZ, wie er in die Textdatei käme\n"
    "  --codepage NAME       die Texte im Zeichensatz NAME (1252, 866, UTF-8, DOS, ...)\n"
    "                        statt in dem, den die Tabelle selbst nennt\n";

enum class Mode { Listing, Csv, Info, Memo };

struct Arguments {
    Mode mode = Mode::Listing;
    std::string table;
    std::int32_t record = 0;
    std::optional<std::string> codePageName;  // none: the table's own code page
    std::optional<int> codePage;
};

bool ParseRecordNumber(std::string_view text, std::int32_t& record) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), record);
    return error == std::errc() && end == text.data() + text.size() && record >= 1;
}

bool ParseArguments(int argc, char** argv, Arguments& arguments) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    // The code page goes with every mode, in front of the table.
    for (std::size_t i = 0; i + 2 < args.size(); ++i) {
        if (args[i] == "--codepage" && !arguments.codePageName) {
            arguments.codePageName = std::string(args[i + 1]);
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            break;
        }
    }
    if (args.size() == 2 && args[0] == "--info") {
        arguments.mode = Mode::Info;
    } else if (args.size() == 2 && args[0] == "--csv") {
        arguments.mode = Mode::Csv;
    } else if (args.size() == 3 && args[0] == "--memo") {
        arguments.mode = Mode::Memo;
        if (!ParseRecordNumber(args[1], arguments.record)) {
            return false;
        }
    } else if (args.size() == 1 && !args[0].starts_with("--")) {
        arguments.mode = Mode::Listing;
    } else {
        return false;
    }
    arguments.table = std::string(args.back());
    return true;
}

int Fail(const std::string& why) {
    std::fputs((why + "\n").c_str(), stderr);
    return kExitFailed;
}

// A read of `fileName` that failed since the last look: the viewer goes on with what it
// got, but a script must not take a short export for a whole one. True when there was one;
// it has been said.
bool ReadFailed(Session& session, const std::string& fileName) {
    const ErrorNumber error = session.access.files.TakeReadError();
    if (error == kNoError) {
        return false;
    }
    const char* why = ErrorMessageText(error);
    Fail("Die Datei " + ShownFileName(fileName) + " konnte nicht gelesen werden" +
         (why != nullptr ? std::string(": ") + why : std::string(".")));
    return true;
}

// Every byte must have reached standard output; a script must not take a short export for
// a whole one.
int Finish(CheckedOutput& out) {
    if (!out.Finish()) {
        return Fail("Die Ausgabe konnte nicht vollständig geschrieben werden.");
    }
    return kExitOk;
}

int ListTable(Session& session, ListingStyle style, CheckedOutput& out) {
    const TableInfo& info = session.tableInfo;
    ListingWriter listing(std::max<std::int32_t>(0, info.RecordCount),
                          session.columns.ColumnCount(), style, out);
    listing.AppendHeading(session.columns, session.fieldTable);
    if (FillRecordCells(session, listing) == 0) {
        listing.Discard();  // nothing on standard output when the table cannot be read
        ShowLockedWhileReading(session, nullptr);
        return kExitFailed;
    }
    listing.Finish();
    if (ReadFailed(session, info.FileName)) {
        return kExitFailed;
    }
    return Finish(out);
}

// The memo goes to standard output: the bytes the viewer's text file would hold.
class OutputSink final : public MemoSink {
public:
    explicit OutputSink(CheckedOutput& out) : out_(out) {}
    void Write(std::string_view bytes) override { out_.Write(bytes); }

private:
    CheckedOutput& out_;
};

// The memo steps of the viewer without the question, the text file and the editor. Only
// the one record is read.
int DumpMemo(Session& session, std::int32_t record, CheckedOutput& out) {
    const TableInfo& info = session.tableInfo;
    if (info.MemoFieldCount == 0) {
        return Fail("Die Tabelle hat keine Memofelder.");
    }
    const std::string number = std::to_string(record);
    if (record > info.RecordCount) {
        return Fail("Satz " + number + " gibt es nicht: die Tabelle hat " +
                    std::to_string(std::max<std::int32_t>(0, info.RecordCount)) + " Sätze.");
    }
    const int columns = session.columns.ColumnCount();
    OneRowCells cells(record - 1, columns);
    if (FillRecordCells(session, cells, record - 1, 1) == 0) {
        ShowLockedWhileReading(session, nullptr);
        return kExitFailed;
    }
    if (ReadFailed(session, info.FileName)) {
        return kExitFailed;
    }
    const std::optional<std::string> reference = FindMemoReference(&cells, record - 1, columns);
    if (!reference) {
        return Fail("Satz " + number + " verweist auf kein Memo.");
    }
    OutputSink sink(out);
    const MemoStyle memo = MemoStyleOf(info.Version);
    const std::string memoName = MemoFileNamesFor(info.FileName, memo).memo;
    switch (CopyMemoOut(session, nullptr, *reference, sink)) {
        case MemoCopyResult::NoMemoFile: return Fail(MissingMemoFileText(memoName, memo));
        case MemoCopyResult::MemoFileLocked:
        case MemoCopyResult::Stopped: return kExitFailed;
        case MemoCopyResult::Copied: break;
    }
    if (ReadFailed(session, memoName)) {
        return kExitFailed;
    }
    return Finish(out);
}

// The code page the table is read in: the one given, or the table's own, for which its
// records may have to be read. False when they could not be.
bool DecideCodePage(Session& session, const Arguments& arguments, CodePageDecision& decision) {
    if (arguments.codePage) {
        decision = ChosenCodePage(*arguments.codePage);
    } else {
        bool read = true;
        decision = AutomaticCodePage(session, [&](CharacterEvidence& evidence, bool umlauts) {
            read = ReadRecordEvidence(session, evidence, umlauts);
            return read;
        });
        if (!read) {
            ShowLockedWhileReading(session, nullptr);
            return false;
        }
    }
    session.columns.text = CharacterDecoder(decision.codePage);
    return true;
}

int Run(const Arguments& arguments) {
    StderrDesktop desktop;
    Session session(desktop);
    CheckedOutput out(stdout);
    session.tableInfo.FileName = arguments.table;
    if (ReadTableHeader(session, arguments.table, nullptr) == 0) {
        ReadFailed(session, arguments.table);  // the viewer says nothing of it; a script must know
        return kExitFailed;
    }
    CodePageDecision codePage;
    if (!DecideCodePage(session, arguments, codePage)) {
        return kExitFailed;
    }
    switch (arguments.mode) {
        case Mode::Info:
            out.Write(InfoText(session.tableInfo, session.fieldTable, session.columns, codePage));
            return Finish(out);
        case Mode::Csv: return ListTable(session, ListingStyle::Csv, out);
        case Mode::Listing: return ListTable(session, ListingStyle::Tabs, out);
        case Mode::Memo: return DumpMemo(session, arguments.record, out);
    }
    return kExitOk;
}

}  // namespace

int tessaro::RunDump(int argc, char** argv) {
    Arguments arguments;
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        CheckedOutput out(stdout);
        out.Write(kUsage);
        return Finish(out);
    }
    try {
        // The arguments are copied too: memory may run out already there.
        if (!ParseArguments(argc, argv, arguments)) {
            std::fputs(kUsage, stderr);
            return kExitUsage;
        }
        if (arguments.codePageName) {
            arguments.codePage = CodePageByName(*arguments.codePageName);
            if (!arguments.codePage) {
                std::fputs(("Unbekannter Zeichensatz: " + *arguments.codePageName + "\n" +
                            KnownCodePageNames() + "\n")
                               .c_str(),
                           stderr);
                return kExitUsage;
            }
        }
        return Run(arguments);
    } catch (const std::bad_alloc&) {
        StderrDesktop desktop;
        ShowErrorMessage(desktop, kErrOutOfMemory);
        return kExitFailed;
    }
}
