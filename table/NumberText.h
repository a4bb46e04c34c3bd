#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessaro {

inline constexpr std::size_t kNumberTextMax = 40;

// The program's one number-to-text conversion: a blank before zero and positive numbers,
// "-" before negative ones, at most 15 significant digits (the 16th rounds half up), no
// point for whole numbers, no zero before the point and no trailing zeros after it; a
// number that would need more than 15 digits before or after the point is written as
// mantissa and exponent (" 1.5E+20", " 1E-16"). Writes at most kNumberTextMax bytes to
// `out` and returns how many.
std::size_t FormatNumberTextInto(double value, char* out);
std::string FormatNumberText(double value);

// The same text for the exact value units / 10^decimals (money kept as an integer count of
// its smallest unit), rounded from its exact digits.
std::size_t FormatScaledIntegerTextInto(std::int64_t units, int decimals, char* out);

}  // namespace tessaro
