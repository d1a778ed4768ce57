// Minimum-maximum envelope of a long trace: per pixel column the smallest and largest value of
// the samples that fall in it, so a replay draws one vertical line per column and loses no peak.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace trindel {

// The samples of one pixel column: min and max of its finite samples (valid when `finite`).
struct EnvelopeColumn {
    float min = 0.0f;
    float max = 0.0f;
    float first = 0.0f;  // first and last sample of the column, to join it to its neighbours
    float last = 0.0f;
    int64_t count = 0;  // samples in the column, finite or not
    bool finite = false;

    bool operator==(const EnvelopeColumn&) const = default;
};

// Sample k (k = 1..n) is drawn at column trunc(k x step). columnStarts(n, step)[x] is the first
// k whose column is at least x; the vector runs to one past the last column, so the samples of
// column x are [starts[x], starts[x + 1]). Step must be positive and finite.
std::vector<int64_t> columnStarts(int64_t n, double step);

// The envelope of values[k - 1] for k = 1..values.size() at the given step, one entry per column
// 0..trunc(n x step). Non-finite samples (NaN, infinities) are left out of min and max.
std::vector<EnvelopeColumn> minMaxEnvelope(std::span<const float> values, double step);

// The same from precomputed column starts (shared by every channel of a replay).
std::vector<EnvelopeColumn> minMaxEnvelope(std::span<const float> values,
                                           const std::vector<int64_t>& starts);

}  // namespace trindel
