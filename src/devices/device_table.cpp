#include "devices/device_table.h"

#include <array>
#include <utility>

#include "devices/demo_source.h"
#include "devices/instruments/serial_stream.h"
#include "platform/platform.h"
#include "state/program.h"

namespace trindel {

namespace {

// Serial device readers arrive with their protocols; until then a read fails as a silent device.
void readerNotAvailable(Program& p, Platform& io, int channel, int /*interactive*/) {
    setFailedReading(p, io, channel, p.device.lastvoltageX[1][static_cast<size_t>(channel)]);
}

using DeviceTable = std::array<DeviceInfo, kDeviceCodeCount>;

// code, start name, port name, speed, speed text, inputs, with 2nd module, data-file code, over
// range, display range, chart only, spike re-read, streaming, start-up title, banner, reader
constexpr DeviceTable kBuiltIn{{
    {0, "", "", 9600, "", 16, 16, 6, 5.0f, 5.0f, false, false, false, "", "", readDemonstration},
    {1, "Sable UI2", "Sable UI2", 115200, "115,200", 12, 12, 8, 5.0f, 5.0f, false, true, false,
     "UI2 Startup...", "Sable UI2 setup", readerNotAvailable},
    {2, "DataTaker DT500", "DT500; DT600", 4800, "4800", 10, 10, 5, 3.5f, 2.5f, true, true, false,
     "DataTaker Startup...", "DataTaker DT500 setup", readerNotAvailable},
    {3, "DataTaker DT50", "DT50", 9600, "9600", 5, 5, 5, 3.5f, 5.0f, true, true, false,
     "DataTaker Startup...", "DataTaker DT50 setup", readerNotAvailable},
    {4, "DataTaker DT800", "DT800", 57600, "initially 57,600", 12, 12, 800, 0.419f, 10.0f, false,
     true, false, "DataTaker Startup...", "DataTaker DT800 setup", readerNotAvailable},
    {5, "ADAM 4019", "ADAM modules", 9600, "9600", 8, 16, 4119, 0.419f, 5.0f, false, true, false,
     "ADAM Startup...", "ADAM module setup", readerNotAvailable},
    {6, "RMS ADC-1", "ADC-1", 9600, "9600", 16, 16, 4, 0.419f, 0.4f, true, true, false,
     "ADC-1 Startup...", "RMS ADC-1 setup", readerNotAvailable},
    {7, "", "", 115200, "", 16, 16, 6, 0.419f, 5.0f, false, true, false, "", "", nullptr},
    {8, "Serial Streaming", "streaming serial", 9600, "9600", 16, 16, 6, 0.419f, 5.0f, false, true,
     true, "", "", readStreamNotConnected},
}};

// The rows in use: the built-in rows, with a reader replaced while one is installed. Constant-
// initialised, so it is ready before any code runs.
constinit DeviceTable gRows = kBuiltIn;

// Readers with state of their own, by code; the row then points at the code's trampoline.
std::array<DeviceReaderFunction, kDeviceCodeCount>& installedReaders() {
    static std::array<DeviceReaderFunction, kDeviceCodeCount> installed;
    return installed;
}

template <size_t Code>
void callInstalled(Program& p, Platform& io, int channel, int interactive) {
    installedReaders()[Code](p, io, channel, interactive);
}

template <size_t... Codes>
constexpr std::array<DeviceReader, sizeof...(Codes)> trampolines(std::index_sequence<Codes...>) {
    return {callInstalled<Codes>...};
}
constexpr auto kTrampolines = trampolines(std::make_index_sequence<kDeviceCodeCount>{});

bool validCode(int code) {
    return code >= 0 && code < kDeviceCodeCount;
}

}  // namespace

const DeviceInfo& deviceInfo(int code) {
    return gRows[static_cast<size_t>(validCode(code) ? code : 7)];
}

void setDeviceReader(int code, DeviceReaderFunction reader) {
    if (!validCode(code)) {
        return;
    }
    const auto c = static_cast<size_t>(code);
    if (!reader) {
        installedReaders()[c] = nullptr;
        gRows[c].reader = kBuiltIn[c].reader;
        return;
    }
    if (const auto* plain = reader.target<DeviceReader>(); plain != nullptr && *plain != nullptr) {
        installedReaders()[c] = nullptr;
        gRows[c].reader = *plain;  // a plain function is called straight from the row
        return;
    }
    installedReaders()[c] = std::move(reader);
    gRows[c].reader = kTrampolines[c];
}

bool deviceReaderInstalled(int code) {
    if (!validCode(code)) {
        return false;
    }
    const auto c = static_cast<size_t>(code);
    return installedReaders()[c] != nullptr || gRows[c].reader != kBuiltIn[c].reader;
}

ScopedDeviceReader::ScopedDeviceReader(int code, DeviceReaderFunction reader) : code_(code) {
    if (validCode(code)) {
        const auto c = static_cast<size_t>(code);
        previousRow_ = gRows[c].reader;
        previousInstalled_ = installedReaders()[c];
    }
    setDeviceReader(code, std::move(reader));
}

ScopedDeviceReader::~ScopedDeviceReader() {
    if (validCode(code_)) {
        const auto c = static_cast<size_t>(code_);
        installedReaders()[c] = std::move(previousInstalled_);
        gRows[c].reader = previousRow_;
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
