#pragma once

#include <cstdint>
#include <string_view>

namespace tessaro {

// Images of a row in the record list.
inline constexpr int kRowImage = 0;
inline constexpr int kMemoRowImage = 2;

// The cell texts of a record list as the core reads them: record k is row k - 1, column 0
// holds the record number, columns 1 .. n the values. Texts are UTF-8.
class CellTexts {
public:
    virtual ~CellTexts() = default;

    virtual std::int32_t RowCount() const = 0;

    // The text of a value cell (column 1 and up); empty for a cell that does not exist. It
    // stays valid until the next call.
    virtual std::string_view CellText(std::int32_t row, int column) const = 0;
};

// A record list that is filled cell by cell.
class RecordList : public CellTexts {
public:
    // Sets the text of a value cell (column 1 and up).
    virtual void SetCellText(std::int32_t row, int column, std::string_view text) = 0;

    virtual void SetRowImage(std::int32_t row, int image) = 0;
};

}  // namespace tessaro
