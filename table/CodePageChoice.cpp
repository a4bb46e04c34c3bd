#include "CodePageChoice.h"

#include <algorithm>
#include <vector>

#include "fileio/FileSystem.h"
#include "fileio/SmallFile.h"
#include "table/ByteScan.h"
#include "table/MemoFile.h"
#include "table/RecordReader.h"
#include "table/TextConversion.h"

namespace tessaro {

namespace {

// A .cpg file names its code page in a few bytes: anything bigger is something else.
constexpr std::size_t kCpgFileMaxBytes = 4096;
constexpr std::int64_t kRunBytes = 1 << 20;

bool IsDosUmlaut(unsigned char byte) {
    return byte == 0x81 || byte == 0x84 || byte == 0x8E || byte == 0x94 || byte == 0x99 ||
           byte == 0x9A;
}

// The first line of a .cpg file, without a byte order mark and the blanks around it.
std::string_view FirstLine(std::string_view content) {
    if (content.starts_with("\xEF\xBB\xBF")) {
        content.remove_prefix(3);
    }
    content = content.substr(0, content.find_first_of("\r\n"));
    const std::size_t first = content.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return content.substr(first, content.find_last_not_of(" \t") - first + 1);
}

// The .cpg file beside the table that names a code page, if there is one.
std::optional<CodePageDecision> CpgFileCodePage(const std::string& tableFileName) {
    std::string name = FileStem(tableFileName) + ".cpg";
    if (std::optional<std::string> found = FindNameIgnoringCase(name)) {
        name = *found;
    }
    const std::optional<std::string> content = ReadSmallFile(name, kCpgFileMaxBytes);
    if (!content) {
        return std::nullopt;
    }
    const std::optional<int> page = CodePageByName(FirstLine(*content));
    if (!page) {
        return std::nullopt;
    }
    CodePageDecision decision;
    decision.codePage = *page;
    decision.reason = CodePageReason::CpgFile;
    decision.cpgFile = name.substr(FileNameStart(name));
    return decision;
}

bool IsWindows1252Driver(std::uint8_t driver) {
    return CodePageOfLanguageDriver(driver) == kWindows1252;
}

std::string HexByte(std::uint8_t byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0x0F];
}

}  // namespace

void CharacterEvidence::Add(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        // Plain ASCII, the most of any text, eight bytes at a time.
        if (i + 8 <= text.size() && bytescan::AllAscii(bytescan::LoadEight(text.data() + i))) {
            i += 8;
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            ++i;
            continue;
        }
        dosUmlauts_ = dosUmlauts_ || IsDosUmlaut(byte);
        if (!valid_) {
            ++i;  // only the DOS umlauts are still looked for
            continue;
        }
        const Utf8Sequence sequence = Utf8SequenceAt(text.substr(i));
        if (!sequence.whole && !sequence.cut) {
            valid_ = false;
            ++i;
            continue;
        }
        multiByte_ = multiByte_ || sequence.whole;
        for (std::size_t k = 1; k < sequence.length; ++k) {
            dosUmlauts_ = dosUmlauts_ || IsDosUmlaut(static_cast<unsigned char>(text[i + k]));
        }
        i += sequence.length;
    }
}

void AddRecordEvidence(const ColumnLayout& layout, std::string_view values,
                       CharacterEvidence& evidence) {
    for (const ShownColumn& column : layout.columns) {
        if (column.type == 'C' && column.offset < values.size()) {
            evidence.Add(values.substr(column.offset,
                                       std::min(column.length, values.size() - column.offset)));
        }
    }
}

std::string CodePageDecision::Why() const {
    switch (reason) {
        case CodePageReason::Chosen: return "gewählt";
        case CodePageReason::CpgFile: return ShownFileName(cpgFile);
        case CodePageReason::Utf8Found: return "UTF-8 erkannt";
        case CodePageReason::LanguageDriver: return "Sprachtreiber " + HexByte(driver);
        case CodePageReason::Default: break;
    }
    return "Voreinstellung";
}

std::string CodePageDecision::AutomaticText() const {
    return "Automatisch: " + std::string(CodePageInfoOf(codePage).shortName) + " (" + Why() + ")";
}

CodePageDecision AutomaticCodePage(const Session& session, const RecordEvidence& records) {
    const TableInfo& info = session.tableInfo;
    if (std::optional<CodePageDecision> cpg = CpgFileCodePage(info.FileName)) {
        return *cpg;
    }
    CharacterEvidence evidence;
    for (int f = 1; f <= info.FieldCount; ++f) {
        evidence.Add(UpToFirstNul(session.fieldTable[f].FieldName));
    }
    const std::optional<int> driverPage = CodePageOfLanguageDriver(info.LanguageDriver);
    const bool umlautsMatter = driverPage == kWindows1252;
    if (!evidence.Settled(umlautsMatter) && records) {
        records(evidence, umlautsMatter);
    }
    CodePageDecision decision;
    if (evidence.IsUtf8()) {
        decision.codePage = kUtf8;
        decision.reason = CodePageReason::Utf8Found;
    } else if (driverPage &&
               !(IsWindows1252Driver(info.LanguageDriver) && evidence.HasDosUmlauts())) {
        // A table written in DOS says Windows-1252 at times, whatever it holds.
        decision.codePage = *driverPage;
        decision.reason = CodePageReason::LanguageDriver;
        decision.driver = info.LanguageDriver;
    }
    return decision;
}

CodePageDecision ChosenCodePage(int codePage) {
    CodePageDecision decision;
    decision.codePage = codePage;
    decision.reason = CodePageReason::Chosen;
    return decision;
}

bool ReadRecordEvidence(Session& session, CharacterEvidence& evidence, bool umlautsMatter) {
    FileTable& files = session.access.files;
    const FileNumber file = OpenWithRetry(session.access, session.tableInfo.FileName);
    if (file == 0) {
        return false;
    }
    const ColumnLayout& layout = session.columns;
    const RecordSpan span = SpanOf(session.tableInfo, layout);
    const std::int64_t rows = span.RowsIn(files.Size(file));
    const std::int64_t rowBytes = std::max<std::int64_t>(1, span.RowBytes());
    const std::int64_t runRows = std::max<std::int64_t>(1, kRunBytes / rowBytes);
    std::vector<char> run(static_cast<std::size_t>(std::min(runRows, rows) * rowBytes));
    std::vector<std::uint32_t> lengths(static_cast<std::size_t>(runRows));
    for (std::int64_t row = 0; row < rows && !evidence.Settled(umlautsMatter); row += runRows) {
        const std::int64_t count = std::min(runRows, rows - row);
        ReadRecords(files, file, span, row, count, run.data(), lengths.data());
        for (std::int64_t i = 0; i < count && !evidence.Settled(umlautsMatter); ++i) {
            AddRecordEvidence(
                layout,
                std::string_view(run.data() + i * rowBytes, lengths[static_cast<std::size_t>(i)]),
                evidence);
        }
    }
    files.Close(file);
    return true;
}

}  // namespace tessaro
