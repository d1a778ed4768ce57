#include "files/recording_from_program.h"

#include <algorithm>

namespace trindel {

int16_t deviceCodeFor(int16_t External_AD) {
    switch (External_AD) {
        case 1:
            return 8;
        case 2:
        case 3:
            return 5;
        case 4:
            return 800;
        case 5:
            return 4119;
        case 6:
            return 4;
        default:
            return 6;
    }
}

namespace {

void describeChannels(const Program& p, Recording& r) {
    const int n = p.session.Sample;
    const bool continuous = p.prefs[kPrefContinuousScanning] != 0;
    // The mean number of scans per sample; a one-sample run divides by one, not by zero.
    const float scansPerSample =
        static_cast<float>(p.session.TotalScans) / static_cast<float>(n > 1 ? n - 1 : 1);
    for (int k = 1; k <= p.session.nChan && k <= kMaxChannels; ++k) {
        const auto& row = p.channels.Nvar[static_cast<size_t>(k)];
        ChannelRecord c;
        c.inputNumber = row[kInputNumber];
        c.a = row[kCoeffA];
        c.b = row[kCoeffB];
        c.c = row[kCoeffC];
        c.type = p.channels.conversionType(k);
        c.samplesAveraged = continuous ? scansPerSample : row[kSamplesToAverage];
        c.label = p.channels.label(k);
        r.channels.push_back(std::move(c));
    }
}

void describeRun(const Program& p, Recording& r) {
    r.startDate = p.files.filestrings.startDate;
    r.startTime = p.files.filestrings.startTime;
    r.endDate = p.files.EndRecordingDate;
    r.endTime = p.files.EndRecordingTime;
    r.comment = p.notes.CommentContainer;
    r.runConstants = {p.session.flowrate, p.notes.mass, p.session.BarometricPressure,
                      p.notes.flowtemp, p.notes.EffectiveVolume};
    for (int m = 1; m <= p.Markers.Nmarkers; ++m) {
        r.markers.push_back(p.Markers[m]);
    }
    const auto& poly = p.conversion.polyarray[0];
    r.polynomial = {poly[6], poly[0], poly[1], poly[2], poly[3], poly[5]};
}

}  // namespace

Recording chartRecording(Program& p) {
    Recording r;
    r.kind = RecordingKind::Chart;
    describeChannels(p, r);
    describeRun(p, r);
    r.pauseLog = p.notes.CumulativePauseContainer;
    for (int k = 1; k <= p.notes.NumberOfNotes && k <= kMaxNotes; ++k) {
        r.notes.push_back(p.notes.fileRemarks[static_cast<size_t>(k)]);
    }
    r.sampleCount = p.session.Sample > 0 ? p.session.Sample : 0;
    r.sampleInterval = p.session.SampleInterval;
    r.firstWritten = p.session.RecordingMODE == 3 && !r.channels.empty() ? 1 : 0;
    const int channelCount = static_cast<int>(r.channels.size());
    if (r.sampleCount > 0 && channelCount > 0) {
        p.store.reserveSlots(SampleStore::slotOf(channelCount, r.sampleCount));
    }
    for (int k = static_cast<int>(r.firstWritten) + 1; k <= channelCount; ++k) {
        const float* row = r.sampleCount > 0 ? p.store.row(k, r.sampleCount) : nullptr;
        r.data.emplace_back(row, row ? static_cast<size_t>(r.sampleCount) : 0);
    }
    r.deviceCode = deviceCodeFor(p.device.External_AD);
    p.device.AD_Device_Code = r.deviceCode;
    return r;
}

Recording scopeRecording(Program& p, std::span<const float> sweep, float interval,
                         const std::string& timeOfSaving) {
    Recording r;
    r.kind = RecordingKind::Scope;
    describeChannels(p, r);
    if (r.channels.empty()) {
        ChannelRecord c;
        c.label = p.channels.label(1);
        r.channels.push_back(c);
    }
    describeRun(p, r);
    r.startTime = timeOfSaving;
    r.endDate =
        p.files.EndRecordingDate.empty() ? p.files.filestrings.startDate : p.files.EndRecordingDate;
    r.endTime = timeOfSaving;
    r.sampleCount = static_cast<int32_t>(sweep.size());
    r.sampleInterval = interval < 0 ? -interval : interval;
    r.firstWritten = 0;
    r.data.push_back(sweep);
    r.deviceCode =
        p.device.DemonstrationMODE != 0 ? int16_t{6} : deviceCodeFor(p.device.External_AD);
    p.device.AD_Device_Code = r.deviceCode;
    return r;
}

std::vector<float> sweepOldestFirst(const ScopeBuffers& scope, int32_t ScSample, int32_t ScopeMax) {
    std::vector<float> out;
    const int32_t last = std::clamp(ScopeMax, 0, ScopeBuffers::kScopeRowLength - 1);
    const int32_t start = ScSample >= 1 && ScSample <= last ? ScSample : 1;
    out.reserve(static_cast<size_t>(last));
    for (int32_t i = start; i <= last; ++i) {
        out.push_back(scope.scope(1, i));
    }
    for (int32_t i = 1; i < start; ++i) {
        out.push_back(scope.scope(1, i));
    }
    return out;
}

}  // namespace trindel
