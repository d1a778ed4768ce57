// The crash journal's byte layout, shared by its writer and reader: a 16-byte mark, then records,
// each framed as tag, run id, payload length and a CRC-32 of the frame and payload, all big-endian.
// A record whose frame or checksum does not hold is torn or damaged; nothing in it is trusted.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "files/byte_order.h"

namespace trindel::journal {

inline constexpr std::string_view kMark = "TRINDEL JOURNAL\r";  // also the format version
inline constexpr uint32_t kHeaderTag = 0x54524844;              // "TRHD"
inline constexpr uint32_t kBlockTag = 0x5452424b;               // "TRBK"
inline constexpr size_t kFrameBytes = 20;  // tag, run id (8), payload length, CRC
// Largest payload accepted: every sample of 16 channels, all markers and notes, and slack.
inline constexpr uint32_t kMaxPayload = 160u * 1024 * 1024;
inline constexpr uint32_t kMaxHeaderPayload = 1024 * 1024;

inline uint32_t crcOf(std::span<const uint8_t> frameStart, std::span<const uint8_t> payload) {
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, frameStart.data(), static_cast<uInt>(frameStart.size()));
    crc = crc32(crc, payload.data(), static_cast<uInt>(payload.size()));
    return static_cast<uint32_t>(crc);
}

// The frame of one record; `crc` covers the first 16 bytes and the payload.
struct Frame {
    uint32_t tag = 0;
    uint64_t runId = 0;
    uint32_t length = 0;
    uint32_t crc = 0;
};

inline void putFrame(uint8_t* out, const Frame& f) {
    putBE32(out, f.tag);
    putBE64(out + 4, f.runId);
    putBE32(out + 12, f.length);
    putBE32(out + 16, f.crc);
}

inline Frame getFrame(const uint8_t* in) {
    return Frame{getBE32(in), getBE64(in + 4), getBE32(in + 12), getBE32(in + 16)};
}

}  // namespace trindel::journal
