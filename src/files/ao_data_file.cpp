// Writer and reader of the AO data file, big-endian, field by field.
#include "files/ao_data_file.h"

#include <filesystem>

#include "files/atomic_file.h"
#include "files/byte_reader.h"
#include "files/byte_writer.h"
#include "platform/host.h"

namespace trindel {

namespace {

void writeFields(ByteWriter& w, const AnalogOutputState& ao, const FeedbackState& fb) {
    for (int row = 0; row <= 100; ++row) {
        for (int col = 0; col <= 6; ++col) {
            w.beFloat(ao.script(row, col));
        }
    }
    for (const auto& row : fb.Feedback) {
        for (float v : row) {
            w.beFloat(v);
        }
    }
    w.be16(fb.FeedbackChan);
    w.beInt32(fb.FeedbackUpdateInterval);
    w.be16(fb.NegativeFEEDBACK);
    w.be16(fb.FeedbackEndMode);
    w.beFloat(fb.FdBkEndSetpoint);
    w.beFloat(fb.FdBkEndRange);
    w.beFloat(fb.FdBkEndMinV);
    w.beFloat(fb.FdBkEndMaxV);
}

}  // namespace

std::vector<uint8_t> aoDataFileBytes(const AnalogOutputState& ao, const FeedbackState& fb) {
    return bytesWrittenBy([&](ByteWriter& w) { writeFields(w, ao, fb); });
}

std::string writeAODataFile(const AnalogOutputState& ao, const FeedbackState& fb,
                            const std::string& path) {
    return writeFileAtomically(path, aoDataFileBytes(ao, fb)).error;
}

void readAODataBytes(const std::vector<uint8_t>& data, AnalogOutputState& ao, FeedbackState& fb,
                     int32_t nowTicks) {
    if (data.size() != kAODataFileBytes) {
        throw FileFormatError("an AO data file holds " + std::to_string(kAODataFileBytes) +
                              " bytes, this one " + std::to_string(data.size()));
    }
    ByteReader r(data);
    AnalogOutputState a = ao;
    FeedbackState f = fb;
    for (int row = 0; row <= 100; ++row) {
        for (int col = 0; col <= 6; ++col) {
            a.script(row, col) = r.beFloat("scripts");
        }
    }
    for (auto& row : f.Feedback) {
        for (float& v : row) {
            v = r.beFloat("feedback schedule");
        }
    }
    f.FeedbackChan = r.be16("feedback channel");
    f.FeedbackUpdateInterval = r.beInt32("feedback update interval");
    f.NegativeFEEDBACK = r.be16("feedback sign");
    f.FeedbackEndMode = r.be16("feedback end mode");
    f.FdBkEndSetpoint = r.beFloat("feedback end setpoint");
    f.FdBkEndRange = r.beFloat("feedback end range");
    f.FdBkEndMinV = r.beFloat("feedback end minimum");
    f.FdBkEndMaxV = r.beFloat("feedback end maximum");

    float schedule = 0.0f;
    for (int row = 1; row <= 40; ++row) {
        schedule += f.Feedback[static_cast<size_t>(row)][6];
    }
    if (schedule > 0.0f) {
        f.FeedbackON = 1;
        f.NextFeedbackUpdateTime = nowTicks + f.FeedbackUpdateInterval;
    } else {
        f.FeedbackON = 0;
    }
    a.AO1on = a.script(0, 1) >= 1.0f ? 1 : 0;
    a.AO2on = a.script(0, 4) >= 1.0f ? 1 : 0;
    ao = a;
    fb = f;
}

AODataLoadResult loadAODataFile(AnalogOutputState& ao, FeedbackState& fb, const std::string& path,
                                int32_t nowTicks) {
    const std::string name = std::filesystem::path(path).filename().string();
    try {
        readAODataBytes(readFileBytes(path, kAODataFileBytes + 1), ao, fb, nowTicks);
        return {true, {}};
    } catch (const FileFormatError& e) {
        return {false, "cannot load AO data file \"" + name + "\": " + e.what()};
    }
}

bool SAVEAOscript(const AnalogOutputState& ao, const FeedbackState& fb, Host& host) {
    const auto chosen = host.askSaveFile("save AO script as…", "AO script");
    if (!chosen || chosen->empty()) {
        return false;
    }
    const std::string error = writeAODataFile(ao, fb, *chosen);
    if (!error.empty()) {
        host.alert("File error", error, {"OK"});
        return false;
    }
    return true;
}

AODataLoadResult GETAOscript(AnalogOutputState& ao, FeedbackState& fb, Host& host,
                             int32_t nowTicks) {
    const auto chosen = host.askOpenFile("Select an analog output script:");
    if (!chosen || chosen->empty()) {
        return {false, {}};
    }
    AODataLoadResult result = loadAODataFile(ao, fb, *chosen, nowTicks);
    if (!result.ok) {
        host.alert("AO Data File Error", result.error, {"OK"});
    }
    return result;
}

}  // namespace trindel
