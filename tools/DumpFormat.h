#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "table/CodePageChoice.h"
#include "table/ColumnLayout.h"
#include "table/RecordList.h"
#include "table/TableInfo.h"
#include "tools/CheckedOutput.h"

namespace tessaro {

// A text as one tab-separated item: backslash, tab, CR and LF written as \\, \t, \r, \n.
void AppendEscaped(std::string& out, std::string_view text);

// A text as one RFC 4180 field: quoted when it holds a comma, quote, CR or LF.
void AppendCsvField(std::string& out, std::string_view text);

// The lines of `tessaro-dump --info`, the names in the code page of `layout` and why.
std::string InfoText(const TableInfo& info, const FieldTable& fields, const ColumnLayout& layout,
                     const CodePageDecision& codePage);

enum class ListingStyle { Tabs, Csv };

// The heading line: "Satznr." and the field headings.
void AppendHeadingLine(std::string& out, const ColumnLayout& layout, const FieldTable& fields,
                       ListingStyle style);

// Writes the listing while the cells are being filled: a row's line, its record number and
// every cell text, goes out as soon as its last cell is there, so that no table is held in
// memory. The lines go to `out` in large pieces.
class ListingWriter final : public RecordList {
public:
    ListingWriter(std::int32_t rows, int fieldColumns, ListingStyle style, CheckedOutput& out);
    ~ListingWriter() override;
    ListingWriter(const ListingWriter&) = delete;
    ListingWriter& operator=(const ListingWriter&) = delete;

    // The heading line: "Satznr." and the field headings.
    void AppendHeading(const ColumnLayout& layout, const FieldTable& fields);
    // Writes the lines of the rows that got no cells (a table without fields) and flushes.
    void Finish();
    // Forgets what has not been written yet.
    void Discard();

    std::int32_t RowCount() const override { return rows_; }
    void SetCellText(std::int32_t row, int column, std::string_view text) override;
    std::string_view CellText(std::int32_t, int) const override { return {}; }
    void SetRowImage(std::int32_t, int) override {}

private:
    void Append(std::string_view text);
    void AppendLabel(std::int32_t row);
    void EndLine();
    void Flush();

    std::int32_t rows_;
    int fieldColumns_;
    ListingStyle style_;
    CheckedOutput& out_;
    std::int32_t nextRow_ = 0;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

}  // namespace tessaro
