#include <string>

#include <gtest/gtest.h>

#include "table/RecordSearch.h"

namespace tessaro {
namespace {

// What the list itself does: compare the start of every row's number, from the top.
std::int32_t SearchEveryRow(std::int32_t rowCount, const std::string& text) {
    for (std::int32_t row = 0; row < rowCount; ++row) {
        if (std::to_string(row + 1).starts_with(text)) {
            return row;
        }
    }
    return -1;
}

// The same from a row on, and with `wrap` from the top again.
std::int32_t SearchRowsFrom(std::int32_t rowCount, const std::string& text, std::int32_t start,
                            bool wrap) {
    for (std::int32_t row = std::max(start, 0); row < rowCount; ++row) {
        if (std::to_string(row + 1).starts_with(text)) {
            return row;
        }
    }
    return wrap ? SearchEveryRow(rowCount, text) : -1;
}

TEST(RecordSearch, ARecordNumberFindsItsOwnRow) {
    EXPECT_EQ(FindRowByNumberPrefix(200, "12"), 11);
    EXPECT_EQ(FindRowByNumberPrefix(200, "1"), 0);
    EXPECT_EQ(FindRowByNumberPrefix(65536, "65536"), 65535);
    EXPECT_EQ(FindRowByNumberPrefix(200, ""), 0);
}

TEST(RecordSearch, WhatNoNumberBeginsWithFindsNothing) {
    EXPECT_EQ(FindRowByNumberPrefix(200, "201"), -1);
    EXPECT_EQ(FindRowByNumberPrefix(200, " 1"), -1);
    EXPECT_EQ(FindRowByNumberPrefix(200, "a"), -1);
    EXPECT_EQ(FindRowByNumberPrefix(200, "01"), -1);
    EXPECT_EQ(FindRowByNumberPrefix(200, "99999999999999999999"), -1);
    EXPECT_EQ(FindRowByNumberPrefix(0, "1"), -1);
    EXPECT_EQ(FindRowByNumberPrefix(0, ""), -1);
}

TEST(RecordSearch, AgreesWithSearchingEveryRow) {
    for (const std::int32_t rows : {1, 9, 10, 11, 99, 100, 123, 1000, 5432}) {
        for (int n = 0; n <= 12000; n += (n < 200 ? 1 : 97)) {
            const std::string text = std::to_string(n);
            ASSERT_EQ(FindRowByNumberPrefix(rows, text), SearchEveryRow(rows, text))
                << rows << " " << text;
        }
        for (const char* text : {"", "0", "00", "1a", "x"}) {
            ASSERT_EQ(FindRowByNumberPrefix(rows, text), SearchEveryRow(rows, text))
                << rows << " " << text;
        }
    }
}

TEST(RecordSearch, FromARowOnAgreesWithSearchingTheRowsBelow) {
    for (const std::int32_t rows : {1, 10, 123, 1000}) {
        for (const std::int32_t start : {0, 1, 5, 11, 40, 99, 120, 999, 1000}) {
            for (int n = -1; n <= 1100; n += (n < 130 ? 1 : 37)) {
                const std::string text = n < 0 ? std::string() : std::to_string(n);
                for (const bool wrap : {false, true}) {
                    ASSERT_EQ(FindRowByNumberPrefixFrom(rows, text, start, wrap),
                              SearchRowsFrom(rows, text, start, wrap))
                        << rows << " " << text << " from " << start << " wrap " << wrap;
                }
            }
        }
    }
    EXPECT_EQ(FindRowByNumberPrefixFrom(200, "4", 4, false), 39) << "typing 4 below record 4";
    EXPECT_EQ(FindRowByNumberPrefixFrom(200, "x", 0, true), -1);
}

}  // namespace
}  // namespace tessaro
