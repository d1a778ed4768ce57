// The marker list: up to 3,200 markers, each a sample-store slot and a one-character label code.
#pragma once

#include <array>
#include <cstdint>

namespace trindel {

inline constexpr int kMaxMarkers = 3200;
inline constexpr int32_t kPauseMarkCode = 166;

struct Marker {
    int32_t slot = 0;  // value of Sample when the marker was placed
    int32_t code = 0;  // character code of the label; 200 + n shows the number n

    bool operator==(const Marker&) const = default;
};

struct MarkerList {
    // Row m (1..Nmarkers) is marker m; row 0 is not used.
    std::array<Marker, kMaxMarkers + 1> rows{};
    int16_t Nmarkers = 0;

    // Appends a marker; returns false (and stores nothing) once the list holds 3,200.
    bool add(int32_t slot, int32_t code) {
        if (Nmarkers >= kMaxMarkers) {
            return false;
        }
        ++Nmarkers;
        rows[Nmarkers] = Marker{slot, code};
        return true;
    }
    void clear() { Nmarkers = 0; }
    const Marker& operator[](int m) const { return rows[m]; }

    bool operator==(const MarkerList&) const = default;
};

}  // namespace trindel
