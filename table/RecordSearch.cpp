#include "RecordSearch.h"

#include <algorithm>

namespace tessaro {

std::int32_t FindRowByNumberPrefixFrom(std::int32_t rowCount, std::string_view text,
                                       std::int32_t start, bool wrap) {
    const std::int32_t first = FindRowByNumberPrefix(rowCount, text);
    if (first < 0 || first >= start) {
        return first;
    }
    if (text.empty()) {  // every number begins with nothing
        return start < rowCount ? start : (wrap ? first : -1);
    }
    // The numbers that begin with the digits of `first + 1` lie in the ranges
    // [n * 10^k, (n + 1) * 10^k - 1], one after another as k grows.
    const std::int64_t wanted = static_cast<std::int64_t>(start) + 1;
    for (std::int64_t low = first + 1, high = first + 1; low <= rowCount;
         low *= 10, high = high * 10 + 9) {
        if (high >= wanted) {
            const std::int64_t number = std::max(low, wanted);
            if (number <= rowCount) {
                return static_cast<std::int32_t>(number - 1);
            }
            break;
        }
    }
    return wrap ? first : -1;
}

std::int32_t FindRowByNumberPrefix(std::int32_t rowCount, std::string_view text) {
    if (rowCount < 1) {
        return -1;
    }
    if (text.empty()) {
        return 0;  // every number begins with nothing
    }
    const bool allDigits =
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!allDigits || text[0] == '0' || text.size() > 10) {
        return -1;  // no record number begins with it
    }
    // The smallest number that begins with these digits is the number itself; every other
    // one is longer and so larger.
    std::int64_t number = 0;
    for (const char c : text) {
        number = number * 10 + (c - '0');
    }
    return number <= rowCount ? static_cast<std::int32_t>(number - 1) : -1;
}

}  // namespace tessaro
