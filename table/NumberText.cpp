#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tessaro {

namespace {

constexpr int kSignificantDigits = 15;

// Enough digits after the first to write every double exactly: the longest exact decimal
// expansion of a double has 767 significant digits.
constexpr int kExactPrecision = 767;
// Usually 30 digits after the first are enough to know the 16th exactly.
constexpr int kShortPrecision = 30;

// The value in scientific form ("d.ddd...e±xx") with `precision` digits after the first.
std::string_view Scientific(double value, int precision, char* text, std::size_t size) {
    const auto [end, ec] =
        std::to_chars(text, text + size, value, std::chars_format::scientific, precision);
    (void)ec;
    return std::string_view(text, static_cast<std::size_t>(end - text));
}

// The decimal digits of a positive finite value rounded to 15 significant places by its
// 16th digit, so that value = d1.d2...dn × 10^exponent with d1 != 0. Returns n, trailing
// zeros dropped. The 16th digit is the exact value's, never one that rounding up the
// later digits has carried into.
int SignificantDigits(double value, char (&digits)[kSignificantDigits], int& exponent) {
    char shortText[64];
    std::string_view text = Scientific(value, kShortPrecision, shortText, sizeof shortText);
    // The digits after the 16th all came out 0: they may be 9s rounded up, which carried
    // into the 16th (...4999... shown as ...5000...). Then the exact digits decide.
    char exactText[kExactPrecision + 16];
    if (text.substr(2 + kSignificantDigits, kShortPrecision - kSignificantDigits)
            .find_first_not_of('0') == std::string_view::npos) {
        text = Scientific(value, kExactPrecision, exactText, sizeof exactText);
    }
    const std::size_t e = text.find('e');
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    // text is "d.ddd...e±xx": the digits are text[0] and text[2..].
    digits[0] = text[0];
    std::memcpy(digits + 1, text.data() + 2, kSignificantDigits - 1);
    const char decider = text[2 + kSignificantDigits - 1];
    if (decider >= '5') {
        int i = kSignificantDigits - 1;
        while (i >= 0 && digits[i] == '9') {
            digits[i--] = '0';
        }
        if (i < 0) {
            digits[0] = '1';
            ++exponent;
        } else {
            ++digits[i];
        }
    }
    int count = kSignificantDigits;
    while (count > 1 && digits[count - 1] == '0') {
        --count;
    }
    return count;
}

char* WriteExponentForm(const char* digits, int count, int exponent, char* p) {
    *p++ = digits[0];
    if (count > 1) {
        *p++ = '.';
        std::memcpy(p, digits + 1, static_cast<std::size_t>(count - 1));
        p += count - 1;
    }
    *p++ = 'E';
    *p++ = exponent < 0 ? '-' : '+';
    return std::to_chars(p, p + 8, std::abs(exponent)).ptr;
}

char* WritePlainForm(const char* digits, int count, int exponent, char* p) {
    if (exponent < 0) {
        *p++ = '.';
        for (int i = -1; i > exponent; --i) {
            *p++ = '0';
        }
        std::memcpy(p, digits, static_cast<std::size_t>(count));
        return p + count;
    }
    for (int i = 0; i <= exponent; ++i) {
        *p++ = i < count ? digits[i] : '0';
    }
    if (count > exponent + 1) {
        *p++ = '.';
        const int rest = count - exponent - 1;
        std::memcpy(p, digits + exponent + 1, static_cast<std::size_t>(rest));
        p += rest;
    }
    return p;
}

}  // namespace

std::size_t FormatNumberTextInto(double value, char* out) {
    char* p = out;
    if (std::isnan(value)) {
        std::memcpy(p, "NaN", 3);
        return 3;
    }
    *p++ = value < 0 ? '-' : ' ';
    if (std::isinf(value)) {
        std::memcpy(p, "Inf", 3);
        return 4;
    }
    if (value == 0) {
        *p++ = '0';
        return 2;
    }
    if (std::fabs(value) < 1e15 && std::trunc(value) == value) {
        // A whole number of up to 15 digits, such as every level 7 integer: its digits.
        const auto whole = static_cast<std::int64_t>(std::fabs(value));
        return static_cast<std::size_t>(std::to_chars(p, p + 16, whole).ptr - out);
    }
    char digits[kSignificantDigits];
    int exponent = 0;
    const int count = SignificantDigits(std::fabs(value), digits, exponent);
    const int digitsBeforePoint = exponent + 1;
    const int digitsAfterPoint = count - 1 - exponent;
    if (digitsBeforePoint > kSignificantDigits || digitsAfterPoint > kSignificantDigits) {
        p = WriteExponentForm(digits, count, exponent, p);
    } else {
        p = WritePlainForm(digits, count, exponent, p);
    }
    return static_cast<std::size_t>(p - out);
}

std::string FormatNumberText(double value) {
    char text[kNumberTextMax];
    return std::string(text, FormatNumberTextInto(value, text));
}

}  // namespace tessaro
