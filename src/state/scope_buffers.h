// Scope-mode storage: the sweep buffer (scopedata) and the raw burst buffer (ScopeBuffer).
#pragma once

#include <cstdint>
#include <vector>

#include "state/scope_state.h"

namespace trindel {

struct ScopeBuffers {
    static constexpr int kScopeRows = 5;
    static constexpr int kScopeRowLength = 131069;
    static constexpr int kBurstRows = 262105;

    // Element i of row k at k x 131,069 + i.
    std::vector<float> scopedata = std::vector<float>(kScopeRows * kScopeRowLength, 0.0f);
    // Rows of three signed 16-bit A-D counts.
    std::vector<int16_t> ScopeBuffer = std::vector<int16_t>(kBurstRows * 3, 0);
    // Sweep position, timing and requests of the scope run under way.
    ScopeRunState run;

    float& scope(int row, int i) {
        return scopedata[static_cast<size_t>(row * kScopeRowLength + i)];
    }
    float scope(int row, int i) const {
        return scopedata[static_cast<size_t>(row * kScopeRowLength + i)];
    }

    bool operator==(const ScopeBuffers&) const = default;
};

}  // namespace trindel
