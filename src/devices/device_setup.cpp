#include "devices/device_setup.h"

#include "devices/adam/adam.h"
#include "devices/adc1/adc1_contact.h"
#include "devices/datataker/datataker.h"
#include "devices/ui2/ui2.h"
#include "state/program.h"

namespace trindel {

int32_t openingSpeed(int16_t External_AD, int32_t baudrate) {
    if (External_AD == 2) {
        return 4800;
    }
    if (baudrate == 0) {
        switch (External_AD) {
            case 1:
                return 9600;
            case 4:
                return 57600;
            case 3:
                return 4800;
            default:
                return 9600;
        }
    }
    return baudrate;
}

bool SetUpSerialPort(DeviceLink& l, const std::string& path, std::string& error) {
    DeviceState& d = l.p.device;
    if (d.ActiveSerialPort > 0) {
        d.ActiveSerialPort = static_cast<int16_t>(-d.ActiveSerialPort);
    }
    if (!l.port.open(path, openingSpeed(d.External_AD, d.baudrate), error)) {
        l.io.clock.delayMilliseconds(500);
        return false;
    }
    l.p.prefs[kPrefSerialPortOpened] = 1;
    bool ok = true;
    switch (d.External_AD) {
        case 2:
        case 3:
            contactDT500(l);
            break;
        case 4:
            ok = contactDT800(l, error);
            break;
        case 5:
            ok = contactADAM(l).primary;
            if (!ok) {
                error = "no answer from the ADAM-4019 at address 01";
            }
            break;
        case 6:
            contactADC1(l);
            break;
        case 1:
            if (d.baudrate == 115200) {
                const UI2Contact contact = contactUI2(l);
                ok = contact.answered;
                error = ok ? "" : "no answer from the UI2 on " + path;
            }
            break;
        default:
            break;  // the other devices' contact comes with their protocols
    }
    l.io.clock.delayMilliseconds(500);
    return ok;
}

}  // namespace trindel
