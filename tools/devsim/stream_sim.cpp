#include "stream_sim.h"

#include <cstdio>

namespace devsim {

StreamSim::StreamSim(InputValues& values, double rate, std::string tag, int fields, double start)
    : values_(values),
      period_(1.0 / rate),
      tag_(std::move(tag)),
      fields_(fields),
      nextLineAt_(start + 1.0 / rate) {}

std::string StreamSim::unprompted() {
    nextLineAt_ += period_;
    std::string line = tag_.empty() ? std::string() : "!!!:" + tag_ + ":";
    for (int k = 1; k <= fields_; ++k) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.3f", values_.next(k, k));
        line += buf;
        if (k < fields_) {
            line.push_back(',');
        }
    }
    return line + "\r\n";
}

}  // namespace devsim
