#pragma once

#include <string>
#include <vector>

#include "table/RecordList.h"

namespace tessaro::test {

// A record list that keeps every cell text and row image it is given, for the tests of
// what a fill writes.
class CellGrid final : public RecordList {
public:
    void Reset(std::int32_t rows, int columns) {
        rows_ = rows < 0 ? 0 : rows;
        columns_ = columns < 0 ? 0 : columns;
        texts_.assign(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_), {});
        images_.assign(static_cast<std::size_t>(rows_), kRowImage);
    }

    std::int32_t RowCount() const override { return rows_; }
    int ColumnCount() const { return columns_; }
    void SetCellText(std::int32_t row, int column, std::string_view text) override {
        if (IsCell(row, column)) {
            texts_[Index(row, column)] = std::string(text.substr(0, text.find('\0')));
        }
    }
    std::string_view CellText(std::int32_t row, int column) const override {
        return IsCell(row, column) ? std::string_view(texts_[Index(row, column)]) : "";
    }
    void SetRowImage(std::int32_t row, int image) override {
        if (row >= 0 && row < rows_) {
            images_[static_cast<std::size_t>(row)] = image;
        }
    }
    int RowImage(std::int32_t row) const {
        return row >= 0 && row < rows_ ? images_[static_cast<std::size_t>(row)] : kRowImage;
    }

private:
    bool IsCell(std::int32_t row, int column) const {
        return row >= 0 && row < rows_ && column >= 1 && column <= columns_;
    }
    std::size_t Index(std::int32_t row, int column) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(column - 1);
    }

    std::int32_t rows_ = 0;
    int columns_ = 0;
    std::vector<std::string> texts_;
    std::vector<int> images_;
};

}  // namespace tessaro::test
