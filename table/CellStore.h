#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "table/RecordList.h"

namespace tessaro {

// The record list's contents in compact form: every cell text lives once in a character
// arena, NUL-terminated, and each cell holds a 32-bit offset into it. A cell that repeats
// the cell above it shares its text, so that columns of equal values cost no more than
// their offsets. The record numbers of column 0 are not stored: row k - 1 shows k.
class CellStore final : public RecordList {
public:
    CellStore();

    // Empties the store and gives it `rows` rows of `fieldColumns` value columns.
    void Reset(std::int32_t rows, int fieldColumns);

    std::int32_t RowCount() const override { return rows_; }
    int FieldColumnCount() const { return fieldColumns_; }

    // A text is a C string: whatever follows a NUL in it is never shown.
    void SetCellText(std::int32_t row, int column, std::string_view text) override;
    std::string_view CellText(std::int32_t row, int column) const override;
    void SetRowImage(std::int32_t row, int image) override;

    // A pointer to the NUL-terminated text (fast path for display).
    const char* CellChars(std::int32_t row, int column) const;
    int RowImage(std::int32_t row) const;

    // Bytes held, for benchmarks and tests of the memory promise.
    std::size_t MemoryBytes() const;

private:
    using Offset = std::uint32_t;

    bool IsCell(std::int32_t row, int column) const;
    Offset Append(std::string_view text);
    const char* At(Offset offset) const;

    std::int32_t rows_ = 0;
    int fieldColumns_ = 0;
    std::vector<Offset> cells_;            // row-major, (rows × fieldColumns)
    std::vector<std::uint8_t> rowImages_;  // one per row
    struct LastText {
        Offset offset = 0;
        std::size_t length = 0;
    };
    std::vector<LastText> lastInColumn_;  // the text last written to each column
    // The arena in fixed-size blocks: it grows without moving what it holds.
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t blockFill_ = 0;
};

}  // namespace tessaro
