#include "DumpFormat.h"

#include <charconv>

#include "table/ColumnLayout.h"
#include "table/TextConversion.h"

namespace tessaro {

namespace {

void AppendItem(std::string& out, std::string_view text, ListingStyle style) {
    if (style == ListingStyle::Csv) {
        AppendCsvField(out, text);
    } else {
        AppendEscaped(out, text);
    }
}

char Separator(ListingStyle style) { return style == ListingStyle::Csv ? ',' : '\t'; }

std::string_view LineEnd(ListingStyle style) { return style == ListingStyle::Csv ? "\r\n" : "\n"; }

}  // namespace

void AppendEscaped(std::string& out, std::string_view text) {
    std::size_t plainFrom = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* escape = nullptr;
        switch (text[i]) {
            case '\\': escape = "\\\\"; break;
            case '\t': escape = "\\t"; break;
            case '\r': escape = "\\r"; break;
            case '\n': escape = "\\n"; break;
            default: continue;
        }
        out.append(text.substr(plainFrom, i - plainFrom));
        out.append(escape);
        plainFrom = i + 1;
    }
    out.append(text.substr(plainFrom));
}

void AppendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

std::string InfoText(const TableInfo& info, const FieldTable& fields) {
    std::string out;
    const auto line = [&out](std::string_view label, std::string_view value) {
        out.append(label).append("\t");
        AppendEscaped(out, value);
        out.append("\n");
    };
    line("Datei", info.FileName);
    line("Format", info.IsLevel5 != 0 ? "DBase 5" : "DBase 7");
    line("Records", std::to_string(info.RecordCount));
    line("Kopflänge", std::to_string(info.HeaderLength));
    line("Satzlänge", std::to_string(info.RecordLength));
    line("Felder", std::to_string(info.FieldCount));
    line("Memofelder", std::to_string(info.MemoFieldCount));
    for (int i = 1; i <= info.FieldCount; ++i) {
        const FieldDesc& field = fields[i];
        out.append("Feld\t").append(std::to_string(i)).append("\t");
        AppendEscaped(out, ColumnHeading(field));
        out.append("\t");
        AppendEscaped(out, Windows1252ToUtf8(UpToFirstNul(std::string_view(&field.FieldType, 1))));
        out.append("\t").append(std::to_string(field.FieldLength));
        out.append("\t").append(std::to_string(field.FieldDecimals)).append("\n");
    }
    return out;
}

void AppendHeadingLine(std::string& out, const TableInfo& info, const FieldTable& fields,
                       ListingStyle style) {
    AppendItem(out, kRecordNumberHeading, style);
    for (int i = 1; i <= info.FieldCount; ++i) {
        out += Separator(style);
        AppendItem(out, ColumnHeading(fields[i]), style);
    }
    out.append(LineEnd(style));
}

void AppendRowLine(std::string& out, const CellStore& cells, std::int32_t row, ListingStyle style) {
    char label[16];
    const auto end = std::to_chars(label, label + sizeof label, row + 1).ptr;
    out.append(label, end);
    for (int column = 1; column <= cells.FieldColumnCount(); ++column) {
        out += Separator(style);
        AppendItem(out, cells.CellText(row, column), style);
    }
    out.append(LineEnd(style));
}

}  // namespace tessaro
