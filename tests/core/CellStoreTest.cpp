#include <gtest/gtest.h>

#include "table/CellStore.h"

namespace tessaro {
namespace {

TEST(CellStore, HoldsTheTextOfEveryCell) {
    CellStore cells;
    cells.Reset(3, 2);
    cells.SetCellText(0, 1, "eins");
    cells.SetCellText(0, 2, "Grüße");
    cells.SetCellText(2, 2, "drei");
    EXPECT_EQ(cells.CellText(0, 1), "eins");
    EXPECT_EQ(cells.CellText(0, 2), "Grüße");
    EXPECT_EQ(cells.CellText(1, 1), "");
    EXPECT_EQ(cells.CellText(2, 2), "drei");
    cells.SetCellText(0, 1, "neu");
    EXPECT_EQ(cells.CellText(0, 1), "neu");
    EXPECT_EQ(cells.RowCount(), 3);
    EXPECT_EQ(cells.FieldColumnCount(), 2);
}

TEST(CellStore, CellsOutsideTheListAreIgnoredAndEmpty) {
    CellStore cells;
    cells.Reset(2, 2);
    cells.SetCellText(-1, 1, "x");
    cells.SetCellText(2, 1, "x");
    cells.SetCellText(0, 0, "x");
    cells.SetCellText(0, 3, "x");
    EXPECT_EQ(cells.CellText(-1, 1), "");
    EXPECT_EQ(cells.CellText(0, 0), "");
    EXPECT_EQ(cells.CellText(5, 5), "");
    cells.SetRowImage(7, 2);
    EXPECT_EQ(cells.RowImage(7), 0);
}

TEST(CellStore, ATextEndsAtItsFirstNul) {
    CellStore cells;
    cells.Reset(1, 1);
    cells.SetCellText(0, 1, std::string_view("ab\0cd", 5));
    EXPECT_EQ(cells.CellText(0, 1), "ab");
}

TEST(CellStore, TrailingBlanksAreKept) {
    CellStore cells;
    cells.Reset(6, 1);
    const std::string texts[] = {"Meier   ", "Meier  ", "   ", "  Mitte  ", std::string(300, ' '),
                                 "ende"};
    for (int row = 0; row < 6; ++row) {
        cells.SetCellText(row, 1, texts[row]);
    }
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(cells.CellText(row, 1), texts[row]) << row;
    }
}

TEST(CellStore, RowImagesStartAtZero) {
    CellStore cells;
    cells.Reset(3, 1);
    cells.SetRowImage(1, 2);
    EXPECT_EQ(cells.RowImage(0), 0);
    EXPECT_EQ(cells.RowImage(1), 2);
    cells.Reset(3, 1);
    EXPECT_EQ(cells.RowImage(1), 0);
}

TEST(CellStore, RepeatedValuesInAColumnCostNoText) {
    CellStore repeated;
    repeated.Reset(100000, 1);
    for (int row = 0; row < 100000; ++row) {
        repeated.SetCellText(row, 1, "Nein");
    }
    EXPECT_LT(repeated.MemoryBytes(), 100000 * 4 + 100000 + (2u << 20));
    EXPECT_EQ(repeated.CellText(99999, 1), "Nein");
    CellStore distinct;
    distinct.Reset(100000, 1);
    for (int row = 0; row < 100000; ++row) {
        distinct.SetCellText(row, 1, std::to_string(row) + "-Wert-mit-Text");
    }
    EXPECT_EQ(distinct.CellText(12345, 1), "12345-Wert-mit-Text");
    EXPECT_EQ(distinct.CellText(99999, 1), "99999-Wert-mit-Text");
}

}  // namespace
}  // namespace tessaro
