// The recording window's three status texts (sample count, percentage done, time left).
#pragma once

#include <string>

#include "state/session.h"

namespace trindel {

// The three status texts: sample count, percentage done, time left.
struct StatusTexts {
    std::string sample, done, left;
};
StatusTexts statusTexts(const Session& s, double donefact);

}  // namespace trindel
