// The ADC-1's start-up contact: no exchange, only the start-up window's words and a pause.
#pragma once

#include "devices/device_link.h"

namespace trindel {

void contactADC1(DeviceLink& l);

}  // namespace trindel
