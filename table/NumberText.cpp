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

// Rounds the significant digits `all` (the first not 0) to at most 15 places by the 16th,
// 5 and above going up, so that value = d1.d2...dn × 10^exponent. Returns n, trailing zeros
// dropped.
int RoundToSignificant(std::string_view all, char (&digits)[kSignificantDigits], int& exponent) {
    int count = 0;
    for (; count < kSignificantDigits; ++count) {
        digits[count] = static_cast<std::size_t>(count) < all.size() ? all[count] : '0';
    }
    const char decider = all.size() > kSignificantDigits ? all[kSignificantDigits] : '0';
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
    while (count > 1 && digits[count - 1] == '0') {
        --count;
    }
    return count;
}

// The decimal digits of a positive finite value rounded to 15 significant places by its
// 16th digit (see RoundToSignificant). The 16th digit is the exact value's, never one that
// rounding up the later digits has carried into.
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
    // text is "d.ddd...e±xx": the digits are text[0] and text[2..e).
    char all[kSignificantDigits + 1] = {};
    all[0] = text[0];
    std::memcpy(all + 1, text.data() + 2, kSignificantDigits);
    return RoundToSignificant(std::string_view(all, sizeof all), digits, exponent);
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

// Plain when it needs at most 15 digits before and after the point, else in exponent form.
char* WriteDigits(const char* digits, int count, int exponent, char* p) {
    const int digitsBeforePoint = exponent + 1;
    const int digitsAfterPoint = count - 1 - exponent;
    if (digitsBeforePoint > kSignificantDigits || digitsAfterPoint > kSignificantDigits) {
        return WriteExponentForm(digits, count, exponent, p);
    }
    return WritePlainForm(digits, count, exponent, p);
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
    return static_cast<std::size_t>(WriteDigits(digits, count, exponent, p) - out);
}

std::size_t FormatScaledIntegerTextInto(std::int64_t units, int decimals, char* out) {
    char* p = out;
    *p++ = units < 0 ? '-' : ' ';
    if (units == 0) {
        *p++ = '0';
        return 2;
    }
    // The magnitude's digits, exactly: also of the most negative number.
    const std::uint64_t magnitude =
        units < 0 ? ~static_cast<std::uint64_t>(units) + 1 : static_cast<std::uint64_t>(units);
    char all[24] = {};
    const auto length = static_cast<int>(std::to_chars(all, all + sizeof all, magnitude).ptr - all);
    int exponent = length - 1 - decimals;
    char digits[kSignificantDigits];
    const int count = RoundToSignificant(std::string_view(all, static_cast<std::size_t>(length)),
                                         digits, exponent);
    return static_cast<std::size_t>(WriteDigits(digits, count, exponent, p) - out);
}

std::string FormatNumberText(double value) {
    char text[kNumberTextMax];
    return std::string(text, FormatNumberTextInto(value, text));
}

}  // namespace tessaro
