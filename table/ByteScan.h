#pragma once

#include <cstdint>
#include <cstring>

// Eight bytes at a time, for the few loops that look at every byte of a table.
namespace tessaro::bytescan {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
inline constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

inline std::uint64_t LoadEight(const char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

inline bool HasZeroByte(std::uint64_t word) { return ((word - kOnes) & ~word & kHighBits) != 0; }

inline bool HasByte(std::uint64_t word, unsigned char byte) {
    return HasZeroByte(word ^ (kOnes * byte));
}

inline bool AllAscii(std::uint64_t word) { return (word & kHighBits) == 0; }

// True when some byte is below `limit` (at most 128); may also say so for a byte of 128 or
// more beside one that is, so callers look at such words byte by byte.
inline bool HasByteBelow(std::uint64_t word, unsigned char limit) {
    return ((word - kOnes * limit) & ~word & kHighBits) != 0;
}

}  // namespace tessaro::bytescan
