// Scan lateness: how long after its due time each scan of a run was taken, summarised one way for
// every front end (the desktop program's rate check, the command-line tool's --timing, the tests).
#pragma once

#include <cstdint>
#include <vector>

namespace trindel {

struct ScanLateness {
    int32_t scans = 0;                       // scans measured
    double p50 = 0.0, p99 = 0.0, max = 0.0;  // seconds, nearest-rank percentiles
    int32_t late = 0;                        // scans later than `threshold`
    double threshold = 0.0;                  // seconds
    bool known() const { return scans > 0; }
};

// The lateness past which a scan counts as late: 1 ms, or half the interval when that is shorter.
double lateScanThreshold(double interval);

// Summarises lateness samples in seconds (the vector is reordered). A percentile q is the
// nearest-rank value: the smallest sample that at least q of all samples do not exceed.
ScanLateness summariseLateness(std::vector<double>& lateness, double threshold);

}  // namespace trindel
