#include "devices/device_link.h"

#include "state/program.h"

namespace trindel {

bool DeviceLink::soundsOn() const {
    return p.menus.Sound_Is_On != 0;
}

void DeviceLink::play(std::string_view sound) const {
    if (soundsOn()) {
        io.sounds.play(sound);
    }
}

}  // namespace trindel
