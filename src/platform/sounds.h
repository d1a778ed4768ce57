// Named sound cues ("wsst", "upVip", "bzot", "AlarmBUZZ", ...), played asynchronously.
#pragma once

#include <string_view>

namespace trindel {

class Sounds {
  public:
    virtual ~Sounds() = default;
    virtual void play(std::string_view name) = 0;
    virtual bool isPlaying() = 0;
};

}  // namespace trindel
