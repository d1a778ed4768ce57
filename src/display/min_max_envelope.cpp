#include "display/min_max_envelope.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace trindel {

namespace {

int64_t columnOf(int64_t k, double step) {
    return static_cast<int64_t>(static_cast<double>(k) * step);
}

}  // namespace

std::vector<int64_t> columnStarts(int64_t n, double step) {
    std::vector<int64_t> starts;
    if (n <= 0 || !(step > 0.0) || !std::isfinite(step)) {
        return starts;
    }
    const int64_t lastColumn = columnOf(n, step);
    starts.resize(static_cast<size_t>(lastColumn) + 2);
    for (int64_t x = 0; x <= lastColumn + 1; ++x) {
        // First k with trunc(k x step) >= x: estimate by division, then settle on the exact
        // predicate so the columns agree with the per-sample rule to the last bit.
        int64_t k = static_cast<int64_t>(std::ceil(static_cast<double>(x) / step));
        k = std::max<int64_t>(k, 1);
        while (k > 1 && columnOf(k - 1, step) >= x) {
            --k;
        }
        while (k <= n && columnOf(k, step) < x) {
            ++k;
        }
        starts[static_cast<size_t>(x)] = std::min(k, n + 1);
    }
    return starts;
}

std::vector<EnvelopeColumn> minMaxEnvelope(std::span<const float> values,
                                           const std::vector<int64_t>& starts) {
    std::vector<EnvelopeColumn> columns;
    if (starts.size() < 2) {
        return columns;
    }
    columns.resize(starts.size() - 1);
    const float* data = values.data();
    const auto n = static_cast<int64_t>(values.size());
    for (size_t x = 0; x + 1 < starts.size(); ++x) {
        const int64_t begin = std::min(starts[x], n + 1);
        const int64_t end = std::min(starts[x + 1], n + 1);
        float lo = std::numeric_limits<float>::infinity();
        float hi = -std::numeric_limits<float>::infinity();
        // Plain comparisons: NaN never wins, and the loop vectorises to min/max instructions.
        for (int64_t k = begin; k < end; ++k) {
            const float v = data[k - 1];
            lo = v < lo ? v : lo;
            hi = v > hi ? v : hi;
        }
        EnvelopeColumn& col = columns[x];
        if (end > begin) {
            col.first = data[begin - 1];
            col.last = data[end - 2];
            col.count = end - begin;
        }
        if (lo <= hi && std::isfinite(lo) && std::isfinite(hi)) {
            col.min = lo;
            col.max = hi;
            col.finite = true;
        } else if (end > begin) {
            // Infinities in the column: recount over the finite samples only.
            lo = std::numeric_limits<float>::max();
            hi = std::numeric_limits<float>::lowest();
            for (int64_t k = begin; k < end; ++k) {
                const float v = data[k - 1];
                if (std::isfinite(v)) {
                    lo = std::min(lo, v);
                    hi = std::max(hi, v);
                    col.finite = true;
                }
            }
            if (col.finite) {
                col.min = lo;
                col.max = hi;
            }
        }
    }
    return columns;
}

std::vector<EnvelopeColumn> minMaxEnvelope(std::span<const float> values, double step) {
    return minMaxEnvelope(values, columnStarts(static_cast<int64_t>(values.size()), step));
}

}  // namespace trindel
