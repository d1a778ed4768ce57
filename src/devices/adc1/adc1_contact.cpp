#include "devices/adc1/adc1_contact.h"

namespace trindel {

void contactADC1(DeviceLink& l) {
    l.progress("\xA5   The ADC-1 should be communicating");
    l.progress("       successfully at this point, but you");
    l.progress("       will need to try it to see if it works.");
    l.play("upvip");
    l.io.clock.delayMilliseconds(3500);
}

}  // namespace trindel
