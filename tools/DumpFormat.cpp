#include "DumpFormat.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "table/ByteScan.h"
#include "table/ColumnLayout.h"
#include "table/TextConversion.h"

namespace tessaro {

namespace {

char Separator(ListingStyle style) { return style == ListingStyle::Csv ? ',' : '\t'; }

std::string_view LineEnd(ListingStyle style) { return style == ListingStyle::Csv ? "\r\n" : "\n"; }

bool NeedsEscape(char c) { return c == '\\' || c == '\t' || c == '\r' || c == '\n'; }

// Whether a word may hold a byte to escape: a backslash or a control below CR.
bool HasSpecial(std::uint64_t word) {
    using namespace bytescan;
    return HasByteBelow(word, '\r' + 1) || HasByte(word, '\\');
}

// The escaped text at p, which has room for twice its length.
char* PutEscaped(char* p, std::string_view text) {
    const char* bytes = text.data();
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        if (i + 8 <= size && !HasSpecial(bytescan::LoadEight(bytes + i))) {
            std::memcpy(p, bytes + i, 8);
            p += 8;
            i += 8;
            continue;
        }
        for (const std::size_t wordEnd = std::min(i + 8, size); i < wordEnd; ++i) {
            const char c = bytes[i];
            if (NeedsEscape(c)) {
                *p++ = '\\';
                *p++ = c == '\\' ? '\\' : c == '\t' ? 't' : c == '\r' ? 'r' : 'n';
            } else {
                *p++ = c;
            }
        }
    }
    return p;
}

// The text as one CSV field at p, which has room for twice its length and two quotes.
char* PutCsvField(char* p, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        if (!text.empty()) {
            std::memcpy(p, text.data(), text.size());
        }
        return p + text.size();
    }
    *p++ = '"';
    for (const char c : text) {
        if (c == '"') {
            *p++ = '"';
        }
        *p++ = c;
    }
    *p++ = '"';
    return p;
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text) {
    const std::size_t before = out.size();
    out.resize(before + 2 * text.size());
    out.resize(static_cast<std::size_t>(PutEscaped(out.data() + before, text) - out.data()));
}

void AppendCsvField(std::string& out, std::string_view text) {
    const std::size_t before = out.size();
    out.resize(before + 2 * text.size() + 2);
    out.resize(static_cast<std::size_t>(PutCsvField(out.data() + before, text) - out.data()));
}

namespace {

void AppendItem(std::string& out, std::string_view text, ListingStyle style) {
    if (style == ListingStyle::Csv) {
        AppendCsvField(out, text);
    } else {
        AppendEscaped(out, text);
    }
}

}  // namespace

std::string InfoText(const TableInfo& info, const FieldTable& fields, const ColumnLayout& layout,
                     const CodePageDecision& codePage) {
    std::string out;
    const auto line = [&out](std::string_view label, std::string_view value) {
        out.append(label).append("\t");
        AppendEscaped(out, value);
        out.append("\n");
    };
    line("Datei", info.FileName);
    line("Format", TableFormatName(info));
    line("Records", std::to_string(info.RecordCount));
    line("Kopflänge", std::to_string(info.HeaderLength));
    line("Satzlänge", std::to_string(info.RecordLength));
    line("Felder", std::to_string(info.FieldCount));
    line("Memofelder", std::to_string(info.MemoFieldCount));
    out.append("Zeichensatz\t");
    AppendEscaped(out, CodePageInfoOf(codePage.codePage).name);
    out.append("\t");
    AppendEscaped(out, codePage.Why());
    out.append("\n");
    for (int i = 1; i <= info.FieldCount; ++i) {
        const FieldDesc& field = fields[i];
        out.append("Feld\t").append(std::to_string(i)).append("\t");
        AppendEscaped(out, ColumnHeading(field, layout.text));
        out.append("\t");
        AppendEscaped(out, Windows1252ToUtf8(UpToFirstNul(std::string_view(&field.FieldType, 1))));
        out.append("\t").append(std::to_string(field.FieldLength));
        out.append("\t").append(std::to_string(field.FieldDecimals)).append("\n");
    }
    return out;
}

void AppendHeadingLine(std::string& out, const ColumnLayout& layout, const FieldTable& fields,
                       ListingStyle style) {
    AppendItem(out, kRecordNumberHeading, style);
    for (const ShownColumn& column : layout.columns) {
        out += Separator(style);
        AppendItem(out, ColumnHeading(fields[column.field], layout.text), style);
    }
    out.append(LineEnd(style));
}

namespace {

constexpr std::size_t kFlushBytes = 1 << 20;
// Room for one more item at the end of a full buffer: a cell of 127 characters, escaped.
constexpr std::size_t kItemRoom = 64 * 1024;

}  // namespace

ListingWriter::ListingWriter(std::int32_t rows, int fieldColumns, ListingStyle style,
                             CheckedOutput& out)
    : rows_(rows < 0 ? 0 : rows),
      fieldColumns_(fieldColumns),
      style_(style),
      out_(out),
      buffer_(std::make_unique_for_overwrite<char[]>(kFlushBytes + kItemRoom)) {}

ListingWriter::~ListingWriter() { Flush(); }

void ListingWriter::Append(std::string_view text) {
    if (used_ + text.size() > kFlushBytes + kItemRoom) {
        Flush();
    }
    if (text.size() > kFlushBytes + kItemRoom) {
        out_.Write(text);
        return;
    }
    std::memcpy(buffer_.get() + used_, text.data(), text.size());
    used_ += text.size();
}

void ListingWriter::AppendHeading(const ColumnLayout& layout, const FieldTable& fields) {
    std::string heading;
    AppendHeadingLine(heading, layout, fields, style_);
    Append(heading);
}

void ListingWriter::SetCellText(std::int32_t row, int column, std::string_view text) {
    if (row != nextRow_ || column < 1 || column > fieldColumns_) {
        return;  // the cells come row by row, column by column
    }
    if (column == 1) {
        AppendLabel(row);
    }
    if (3 + 2 * text.size() <= kItemRoom) {
        // The usual road: escaped or quoted straight into the buffer, no copy per cell.
        char* p = buffer_.get() + used_;
        *p++ = Separator(style_);
        p = style_ == ListingStyle::Csv ? PutCsvField(p, text) : PutEscaped(p, text);
        used_ = static_cast<std::size_t>(p - buffer_.get());
    } else {
        std::string item(1, Separator(style_));
        AppendItem(item, text, style_);
        Append(item);
    }
    if (column == fieldColumns_) {
        EndLine();
    }
}

void ListingWriter::Finish() {
    while (nextRow_ < rows_) {
        AppendLabel(nextRow_);
        EndLine();
    }
    Flush();
}

void ListingWriter::Discard() { used_ = 0; }

void ListingWriter::AppendLabel(std::int32_t row) {
    char label[16];
    Append(std::string_view(
        label,
        static_cast<std::size_t>(std::to_chars(label, label + sizeof label, row + 1).ptr - label)));
}

void ListingWriter::EndLine() {
    Append(LineEnd(style_));
    ++nextRow_;
    if (used_ >= kFlushBytes) {
        Flush();
    }
}

void ListingWriter::Flush() {
    out_.Write(std::string_view(buffer_.get(), used_));
    used_ = 0;
}

}  // namespace tessaro
