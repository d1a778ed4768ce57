// A small chart run in a fresh Program, and byte helpers for the file tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "state/program.h"

namespace trindel::testing {

// Two channels (inputs 3 and 4, labels "O2" and "CO2"), samples 5, 6 / -1, 0.5, interval 1 s,
// comment "abc", one marker with code 201 at slot 0, started 07/04/09 at 14:05:09.
inline Program smallChartRun() {
    Program p;
    p.session.nChan = 2;
    p.session.RecordingMODE = 1;
    p.session.Sample = 2;
    p.session.SampleInterval = 1.0f;
    p.channels.Nvar[1][kInputNumber] = 3;
    p.channels.Nvar[2][kInputNumber] = 4;
    p.channels.Nvar[1][kCoeffB] = 1.0f;
    p.channels.Nvar[2][kCoeffA] = 2.0f;
    p.channels.Nvar[2][kCoeffB] = 0.5f;
    p.channels.Nvar[1][kSamplesToAverage] = 1;
    p.channels.Nvar[2][kSamplesToAverage] = 4;
    p.channels.conversionType(1) = 1;
    p.channels.conversionType(2) = 6;
    p.channels.setLabel(1, "O2");
    p.channels.setLabel(2, "CO2");
    p.store.set(1, 0, 5.0f);
    p.store.set(1, 1, 6.0f);
    p.store.set(2, 0, -1.0f);
    p.store.set(2, 1, 0.5f);
    p.notes.CommentContainer = "abc";
    p.Markers.add(0, 201);
    p.files.filestrings.startDate = "07/04/09";
    p.files.filestrings.startTime = "14:05:09";
    p.files.EndRecordingDate = "07/04/09";
    p.files.EndRecordingTime = "14:05:11";
    return p;
}

// Bytes from a string literal (text fields and lines).
inline std::vector<uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

inline std::vector<uint8_t> hex(std::initializer_list<int> values) {
    std::vector<uint8_t> out;
    for (int v : values) {
        out.push_back(static_cast<uint8_t>(v));
    }
    return out;
}

inline void append(std::vector<uint8_t>& out, const std::vector<uint8_t>& more) {
    out.insert(out.end(), more.begin(), more.end());
}

inline std::string padded(const std::string& text, size_t width) {
    std::string out = text;
    out.resize(width, ' ');
    return out;
}

}  // namespace trindel::testing
