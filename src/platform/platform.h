// The bundle of machine services handed to the run driver and the recording loops.
#pragma once

#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/host.h"
#include "platform/sounds.h"

namespace trindel {

struct Platform {
    Clock& clock;
    Events& events;
    Sounds& sounds;
    Canvas& canvas;
    Host& host;
};

}  // namespace trindel
