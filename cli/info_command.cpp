// trindel-cli info FILE [--json]: format, samples, interval, channels, markers, comment, notes.
#include "info_command.h"

#include <iostream>
#include <sstream>
#include <vector>

#include "files/recording_file_reader.h"
#include "json_text.h"
#include "text/export_number.h"
#include "text/mac_roman_text.h"

namespace trindel::cli {

namespace {

std::string trimmed(const std::string& text) {
    const auto end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string{} : text.substr(0, end + 1);
}

std::string stripped(const std::string& text) {
    const auto start = text.find_first_not_of(' ');
    return start == std::string::npos ? std::string{} : trimmed(text.substr(start));
}

// Mac Roman text with CR line ends as UTF-8 with LF line ends.
std::string readable(const std::string& text) {
    std::string out = macRomanToUtf8(text);
    for (char& c : out) {
        if (c == '\r') {
            c = '\n';
        }
    }
    return out;
}

std::string number(float value) {
    std::string text = exportNumberText(value);
    return text[0] == ' ' ? text.substr(1) : text;
}

std::string jsonNumber(float value) {
    return value == value && value - value == 0 ? number(value) : "null";
}

const char* kConstantNames[] = {"flow rate (ml/min)", "mass (g)", "barometric pressure (torr)",
                                "flow temperature (C)", "effective volume (ml)"};
const char* kConstantKeys[] = {"flowrate", "mass", "BarometricPressure", "flowtemp",
                               "EffectiveVolume"};

bool isBinary(RecordingFormat f) {
    return f == RecordingFormat::ChartBinary || f == RecordingFormat::ScopeBinary;
}

void printText(const std::string& path, const RecordingFile& file, std::ostream& out) {
    const Recording& r = file.recording;
    out << "File:        " << path << "\n";
    out << "Format:      " << formatName(file.format);
    if (isBinary(file.format)) {
        out << " (version " << file.version << ")";
    }
    out << "\nSamples:     " << r.sampleCount << " per channel\n";
    out << "Interval:    " << number(r.sampleInterval) << " s\n";
    if (!r.startDate.empty() || !r.startTime.empty()) {
        out << "Started:     " << r.startDate << " " << r.startTime << "\n";
    }
    if (!r.endDate.empty() || !r.endTime.empty()) {
        out << "Ended:       " << r.endDate << " " << r.endTime << "\n";
    }
    out << "Channels:    " << r.channels.size() << " (" << r.writtenCount() << " with data)\n";
    for (size_t k = 0; k < r.channels.size(); ++k) {
        const ChannelRecord& c = r.channels[k];
        out << "  " << k + 1 << (k < r.firstWritten ? " (no data)" : "") << "  input "
            << number(c.inputNumber) << "  type " << number(c.type) << "  a " << number(c.a)
            << "  b " << number(c.b) << "  c " << number(c.c) << "  averaged "
            << number(c.samplesAveraged) << "  label \"" << readable(trimmed(c.label)) << "\"\n";
    }
    out << "Markers:     " << r.markers.size() << "\n";
    for (const Marker& m : r.markers) {
        out << "  sample " << m.slot << "  code " << m.code << "\n";
    }
    // Valve switches leave "R" (reference) and "S" (sample) markers; device-number markers look
    // like the user's digit markers and are listed with the markers only.
    std::vector<const Marker*> switches;
    for (const Marker& m : r.markers) {
        if (m.code == 'R' || m.code == 'S') {
            switches.push_back(&m);
        }
    }
    if (!switches.empty()) {
        out << "Switch markers: " << switches.size() << "\n";
        for (const Marker* m : switches) {
            out << "  sample " << m->slot << "  " << static_cast<char>(m->code) << "\n";
        }
    }
    if (isBinary(file.format)) {
        out << "Constants:  ";
        for (size_t i = 0; i < r.runConstants.size(); ++i) {
            out << (i ? ", " : " ") << kConstantNames[i] << " " << number(r.runConstants[i]);
        }
        out << "\nDevice code: " << r.deviceCode << "\n";
    }
    out << "Comment:     " << readable(r.comment) << "\n";
    if (!r.pauseLog.empty()) {
        out << "Pause log:   " << readable(r.pauseLog) << "\n";
    }
    out << "Notes:       " << r.notes.size() << "\n";
    for (const FileNote& n : r.notes) {
        out << "  sample" << n.sample << " at " << n.time << ": " << readable(n.text) << "\n";
    }
}

}  // namespace

void printRecordingJson(const std::string& path, const RecordingFile& file, std::ostream& out) {
    const Recording& r = file.recording;
    out << "{\"file\":" << jsonString(path) << ",\"format\":" << jsonString(formatName(file.format))
        << ",\"version\":" << file.version << ",\"samples\":" << r.sampleCount
        << ",\"interval\":" << jsonNumber(r.sampleInterval)
        << ",\"startDate\":" << jsonString(readable(r.startDate))
        << ",\"startTime\":" << jsonString(readable(r.startTime))
        << ",\"endDate\":" << jsonString(readable(r.endDate))
        << ",\"endTime\":" << jsonString(readable(r.endTime)) << ",\"channels\":[";
    for (size_t k = 0; k < r.channels.size(); ++k) {
        const ChannelRecord& c = r.channels[k];
        out << (k ? "," : "") << "{\"number\":" << k + 1
            << ",\"hasData\":" << (k >= r.firstWritten ? "true" : "false")
            << ",\"input\":" << jsonNumber(c.inputNumber) << ",\"type\":" << jsonNumber(c.type)
            << ",\"a\":" << jsonNumber(c.a) << ",\"b\":" << jsonNumber(c.b)
            << ",\"c\":" << jsonNumber(c.c)
            << ",\"samplesAveraged\":" << jsonNumber(c.samplesAveraged)
            << ",\"label\":" << jsonString(readable(trimmed(c.label))) << "}";
    }
    out << "],\"markers\":[";
    for (size_t m = 0; m < r.markers.size(); ++m) {
        out << (m ? "," : "") << "{\"sample\":" << r.markers[m].slot
            << ",\"code\":" << r.markers[m].code << "}";
    }
    out << "]";
    if (isBinary(file.format)) {
        out << ",\"constants\":{";
        for (size_t i = 0; i < r.runConstants.size(); ++i) {
            out << (i ? "," : "") << "\"" << kConstantKeys[i]
                << "\":" << jsonNumber(r.runConstants[i]);
        }
        out << "},\"deviceCode\":" << r.deviceCode;
    }
    out << ",\"comment\":" << jsonString(readable(r.comment))
        << ",\"pauseLog\":" << jsonString(readable(r.pauseLog)) << ",\"notes\":[";
    for (size_t i = 0; i < r.notes.size(); ++i) {
        const FileNote& n = r.notes[i];
        out << (i ? "," : "") << "{\"sample\":" << jsonString(readable(stripped(n.sample)))
            << ",\"time\":" << jsonString(readable(n.time))
            << ",\"text\":" << jsonString(readable(n.text)) << "}";
    }
    out << "]}\n";
}

int runRecordingInfo(const std::string& path, bool json) {
    // Only the description is printed: the sample values are checked for size, never decoded.
    const ReadResult read = readRecordingFile(path, ReadDepth::Description);
    if (!read.ok) {
        std::cerr << "trindel-cli: " << path << ": " << read.error << "\n";
        return 1;
    }
    std::ostringstream out;
    if (json) {
        printRecordingJson(path, read.file, out);
    } else {
        printText(path, read.file, out);
    }
    std::cout << out.str();
    return 0;
}

}  // namespace trindel::cli
