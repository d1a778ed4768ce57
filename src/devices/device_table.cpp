#include "devices/device_table.h"

#include <array>

#include "devices/demo_source.h"
#include "platform/platform.h"
#include "state/program.h"

namespace trindel {

namespace {

// Serial device readers arrive with their protocols; until then a read fails as a silent device.
void readerNotAvailable(Program& p, Platform& io, int channel, int /*interactive*/) {
    setFailedReading(p, io, channel, p.device.lastvoltageX[1][static_cast<size_t>(channel)]);
}

using DeviceTable = std::array<DeviceInfo, kDeviceCodeCount>;

// Built on first use, so a reader installed by a test or protocol lives in the same rows.
DeviceTable& table() {
    // code, start name, port name, speed, speed text, inputs, with 2nd module, data-file code,
    // over range, display range, chart only, spike re-read, streaming, start-up title, banner,
    // reader
    static DeviceTable rows{{
        {0, "", "", 9600, "", 16, 16, 6, 5.0f, 5.0f, false, false, false, "", "",
         readDemonstration},
        {1, "Sable UI2", "Sable UI2", 115200, "115,200", 12, 12, 8, 5.0f, 5.0f, false, true, false,
         "UI2 Startup...", "Sable UI2 setup", readerNotAvailable},
        {2, "DataTaker DT500", "DT500; DT600", 4800, "4800", 10, 10, 5, 3.5f, 2.5f, true, true,
         false, "DataTaker Startup...", "DataTaker DT500 setup", readerNotAvailable},
        {3, "DataTaker DT50", "DT50", 9600, "9600", 5, 5, 5, 3.5f, 5.0f, true, true, false,
         "DataTaker Startup...", "DataTaker DT50 setup", readerNotAvailable},
        {4, "DataTaker DT800", "DT800", 57600, "initially 57,600", 12, 12, 800, 0.419f, 10.0f,
         false, true, false, "DataTaker Startup...", "DataTaker DT800 setup", readerNotAvailable},
        {5, "ADAM 4019", "ADAM modules", 9600, "9600", 8, 16, 4119, 0.419f, 5.0f, false, true,
         false, "ADAM Startup...", "ADAM module setup", readerNotAvailable},
        {6, "RMS ADC-1", "ADC-1", 9600, "9600", 16, 16, 4, 0.419f, 0.4f, true, true, false,
         "ADC-1 Startup...", "RMS ADC-1 setup", readerNotAvailable},
        {7, "", "", 115200, "", 16, 16, 6, 0.419f, 5.0f, false, true, false, "", "", nullptr},
        {8, "Serial Streaming", "streaming serial", 9600, "9600", 16, 16, 6, 0.419f, 5.0f, false,
         true, true, "", "", readerNotAvailable},
    }};
    return rows;
}

// The built-in reader of each code, kept to restore a row after a test's reader.
const DeviceReader& builtInReader(int code) {
    static const std::array<DeviceReader, kDeviceCodeCount> builtIn = [] {
        std::array<DeviceReader, kDeviceCodeCount> readers;
        for (int c = 0; c < kDeviceCodeCount; ++c) {
            readers[static_cast<size_t>(c)] = table()[static_cast<size_t>(c)].reader;
        }
        return readers;
    }();
    return builtIn[static_cast<size_t>(code)];
}

bool validCode(int code) {
    return code >= 0 && code < kDeviceCodeCount;
}

}  // namespace

const DeviceInfo& deviceInfo(int code) {
    return table()[static_cast<size_t>(validCode(code) ? code : 7)];
}

void setDeviceReader(int code, DeviceReader reader) {
    if (!validCode(code)) {
        return;
    }
    const DeviceReader& original = builtInReader(code);  // taken before the first change
    table()[static_cast<size_t>(code)].reader = reader ? std::move(reader) : original;
}

ScopedDeviceReader::ScopedDeviceReader(int code, DeviceReader reader)
    : code_(code), previous_(deviceInfo(code).reader) {
    setDeviceReader(code, std::move(reader));
}

ScopedDeviceReader::~ScopedDeviceReader() {
    if (validCode(code_)) {
        table()[static_cast<size_t>(code_)].reader = std::move(previous_);
    }
}

int16_t AD_Device_Code(int16_t External_AD, int16_t DemonstrationMODE) {
    if (DemonstrationMODE != 0) {
        return 6;
    }
    return deviceInfo(External_AD).AD_Device_Code;
}

float OverRangeVolts(int16_t External_AD) {
    return deviceInfo(External_AD).OverRangeVolts;
}

void HowManyHardwareAD(Program& p) {
    const DeviceInfo& d = deviceInfo(p.device.External_AD);
    p.prefs[kPrefDeviceInputs] =
        p.prefs[kPrefAdamModule] != 0 ? d.inputsWithSecondModule : d.inputs;
}

void setFailedReading(Program& p, Platform& io, int /*channel*/, float lastGood) {
    p.device.volts =
        (p.prefs[kPrefBadReadingStore] == 1 && p.session.Sample > 1) ? lastGood : kBadReading;
    if (p.device.SerialWarningBuzz != 0) {
        io.sounds.play("ALARMbuzz");
    }
}

InputWarningText ADinputWarningText(int count, int inputs) {
    InputWarningText t;
    const bool one = count == 1;
    t.title = one ? "AD input out of range" : "AD inputs out of range";
    t.lines[0] = one ? "CAUTION:  an A-D input assignment exceeds"
                     : "CAUTION:  " + std::to_string(count) + " A-D input assignments exceed";
    t.lines[1] = "the range of hardware A-D inputs  (1 -" + std::to_string(inputs) + ")";
    t.lines[2] = "Fix this, or Trindel may crash or freeze!";
    t.button = "Close and Fix…";
    return t;
}

int countInputsOutOfRange(const Program& p) {
    int count = 0;
    for (int c = 1; c <= p.session.nChan && c <= kMaxChannels; ++c) {
        if (p.channels.Nvar[static_cast<size_t>(c)][kInputNumber] > p.prefs[kPrefDeviceInputs]) {
            ++count;
        }
    }
    return count;
}

void ADinputWarning(Program& p, Platform& io, int count) {
    if (count == 0) {
        return;
    }
    const InputWarningText t = ADinputWarningText(count, p.prefs[kPrefDeviceInputs]);
    io.sounds.play("bzot");
    io.host.alert(t.title, t.lines[0] + "\r" + t.lines[1] + "\r" + t.lines[2], {t.button});
}

}  // namespace trindel
