#pragma once

#include <string>
#include <vector>

#include "table/RecordList.h"

namespace tessaro {

// The cells of one row of a record list, for a question about one record, so that the
// other records are neither read nor kept.
class OneRowCells final : public RecordList {
public:
    OneRowCells(std::int32_t row, int fieldColumns)
        : row_(row), cells_(static_cast<std::size_t>(fieldColumns < 0 ? 0 : fieldColumns)) {}

    std::int32_t RowCount() const override { return row_ + 1; }
    void SetCellText(std::int32_t row, int column, std::string_view text) override {
        if (row == row_ && column >= 1 && static_cast<std::size_t>(column) <= cells_.size()) {
            cells_[static_cast<std::size_t>(column) - 1] = UpToNul(text);
        }
    }
    std::string_view CellText(std::int32_t row, int column) const override {
        if (row != row_ || column < 1 || static_cast<std::size_t>(column) > cells_.size()) {
            return {};
        }
        return cells_[static_cast<std::size_t>(column) - 1];
    }
    void SetRowImage(std::int32_t, int) override {}

private:
    // A cell text is a C string, as in every record list.
    static std::string UpToNul(std::string_view text) {
        return std::string(text.substr(0, text.find('\0')));
    }

    std::int32_t row_;
    std::vector<std::string> cells_;
};

}  // namespace tessaro
