#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// Little-endian reads and writes of the fixed layouts of the data files.
namespace florimant {

inline uint16_t ReadU16LE(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
inline int16_t ReadI16LE(std::span<const uint8_t> b, size_t at) { return static_cast<int16_t>(ReadU16LE(b, at)); }
inline uint32_t ReadU32LE(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
inline int32_t ReadI32LE(std::span<const uint8_t> b, size_t at) { return static_cast<int32_t>(ReadU32LE(b, at)); }

inline void WriteU16LE(std::span<uint8_t> b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void WriteI16LE(std::span<uint8_t> b, size_t at, int16_t v) { WriteU16LE(b, at, static_cast<uint16_t>(v)); }
inline void WriteU32LE(std::span<uint8_t> b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void WriteI32LE(std::span<uint8_t> b, size_t at, int32_t v) { WriteU32LE(b, at, static_cast<uint32_t>(v)); }

}  // namespace florimant
