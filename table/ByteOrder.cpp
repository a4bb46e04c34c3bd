#include "ByteOrder.h"

#include <bit>

namespace tessaro {

std::string ReverseBytes(std::string_view bytes) { return std::string(bytes.rbegin(), bytes.rend()); }

std::uint32_t BigEndianUInt32(std::string_view bytes) {
    std::uint32_t value = 0;
    for (const char c : bytes.substr(bytes.size() - 4)) {
        value = value << 8 | static_cast<unsigned char>(c);
    }
    return value;
}

std::uint64_t BigEndianUInt64(std::string_view bytes) {
    std::uint64_t value = 0;
    for (const char c : bytes.substr(bytes.size() - 8)) {
        value = value << 8 | static_cast<unsigned char>(c);
    }
    return value;
}

double BigEndianDouble(std::string_view bytes) { return std::bit_cast<double>(BigEndianUInt64(bytes)); }

}  // namespace tessaro
