// Byte order helpers for the recording formats: big-endian for the program's own files,
// little-endian for ExpeData. Values move as integers only; a float is turned into its bit pattern
// first, so a reversed pattern that reads as a signalling NaN is never loaded into an FPU register.
#pragma once

#include <bit>
#include <cstdint>

namespace trindel {

inline uint32_t floatBits(float value) {
    return std::bit_cast<uint32_t>(value);
}
inline float floatFromBits(uint32_t bits) {
    return std::bit_cast<float>(bits);
}
inline uint64_t doubleBits(double value) {
    return std::bit_cast<uint64_t>(value);
}
inline double doubleFromBits(uint64_t bits) {
    return std::bit_cast<double>(bits);
}

// The 32-bit byte swap of one value's bit pattern (big-endian file order <-> this machine).
inline uint32_t SwapSingleBigToHost(uint32_t bits) {
    if constexpr (std::endian::native == std::endian::little) {
        return __builtin_bswap32(bits);
    } else {
        return bits;
    }
}

inline void putBE16(uint8_t* out, int16_t value) {
    const auto u = static_cast<uint16_t>(value);
    out[0] = static_cast<uint8_t>(u >> 8);
    out[1] = static_cast<uint8_t>(u);
}

inline void putBE32(uint8_t* out, uint32_t value) {
    out[0] = static_cast<uint8_t>(value >> 24);
    out[1] = static_cast<uint8_t>(value >> 16);
    out[2] = static_cast<uint8_t>(value >> 8);
    out[3] = static_cast<uint8_t>(value);
}

inline void putBE64(uint8_t* out, uint64_t value) {
    putBE32(out, static_cast<uint32_t>(value >> 32));
    putBE32(out + 4, static_cast<uint32_t>(value));
}

inline void putLE16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

inline void putLE32(uint8_t* out, uint32_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
    out[2] = static_cast<uint8_t>(value >> 16);
    out[3] = static_cast<uint8_t>(value >> 24);
}

inline int16_t getBE16(const uint8_t* in) {
    return static_cast<int16_t>(static_cast<uint16_t>((in[0] << 8) | in[1]));
}

inline uint32_t getBE32(const uint8_t* in) {
    return (uint32_t{in[0]} << 24) | (uint32_t{in[1]} << 16) | (uint32_t{in[2]} << 8) |
           uint32_t{in[3]};
}

inline uint64_t getBE64(const uint8_t* in) {
    return (uint64_t{getBE32(in)} << 32) | getBE32(in + 4);
}

inline uint16_t getLE16(const uint8_t* in) {
    return static_cast<uint16_t>(in[0] | (in[1] << 8));
}

inline uint32_t getLE32(const uint8_t* in) {
    return uint32_t{in[0]} | (uint32_t{in[1]} << 8) | (uint32_t{in[2]} << 16) |
           (uint32_t{in[3]} << 24);
}

}  // namespace trindel
