#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace tessaro {

namespace {

constexpr int kSignificantDigits = 15;

// The decimal digits of a positive finite value rounded to 15 significant places, so that
// value = d1.d2...dn × 10^exponent with d1 != 0. Returns n, trailing zeros dropped.
int SignificantDigits(double value, char (&digits)[kSignificantDigits], int& exponent) {
    // 30 digits after the first: the 16th digit is exact for every double that matters.
    char text[64];
    const auto [end, ec] =
        std::to_chars(std::begin(text), std::end(text), value, std::chars_format::scientific, 30);
    (void)ec;
    const char* e = static_cast<const char*>(std::memchr(text, 'e', static_cast<std::size_t>(end - text)));
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    // text is "d.ddd...e±xx": the digits are text[0] and text[2..].
    digits[0] = text[0];
    std::memcpy(digits + 1, text + 2, kSignificantDigits - 1);
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
