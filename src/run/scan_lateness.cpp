#include "run/scan_lateness.h"

#include <algorithm>
#include <cmath>

namespace trindel {

double lateScanThreshold(double interval) {
    return std::min(0.001, interval / 2);
}

ScanLateness summariseLateness(std::vector<double>& lateness, double threshold) {
    ScanLateness r;
    r.threshold = threshold;
    if (lateness.empty()) {
        return r;
    }
    const size_t n = lateness.size();
    const auto rank = [n](double q) {
        const auto k = static_cast<size_t>(std::ceil(q * static_cast<double>(n)));
        return std::clamp<size_t>(k, 1, n) - 1;
    };
    const size_t i50 = rank(0.5), i99 = rank(0.99);
    std::nth_element(lateness.begin(), lateness.begin() + static_cast<std::ptrdiff_t>(i99),
                     lateness.end());
    r.p99 = lateness[i99];
    std::nth_element(lateness.begin(), lateness.begin() + static_cast<std::ptrdiff_t>(i50),
                     lateness.begin() + static_cast<std::ptrdiff_t>(i99));
    r.p50 = lateness[i50];
    r.max = *std::max_element(lateness.begin(), lateness.end());
    r.late = static_cast<int32_t>(
        std::count_if(lateness.begin(), lateness.end(), [&](double l) { return l > threshold; }));
    r.scans = static_cast<int32_t>(n);
    return r;
}

}  // namespace trindel
