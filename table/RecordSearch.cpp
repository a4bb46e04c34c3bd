#include "RecordSearch.h"

#include <algorithm>

namespace tessaro {

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
