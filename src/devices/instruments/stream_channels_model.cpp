#include "devices/instruments/stream_channels_model.h"

#include "state/program.h"
#include "text/field_text.h"

namespace trindel {

void CountSerialChannels(Program& p, const std::array<bool, kInstrumentFields + 1>& selected,
                         const std::array<std::string, kInstrumentFields + 1>& labels) {
    p.channels.clearLabels();
    p.session.nChan = 0;
    for (size_t k = 1; k <= kInstrumentFields; ++k) {
        p.device.serialArray[k][2] = 0.0f;
        if (!selected[k]) {
            continue;
        }
        const int c = ++p.session.nChan;
        p.device.serialArray[k][2] = static_cast<float>(c);
        auto& row = p.channels.Nvar[static_cast<size_t>(c)];
        row[kInputNumber] = static_cast<float>(k);
        p.channels.conversionType(c) = 1.0f;
        row[kCoeffA] = 0.0f;
        row[kCoeffB] = 1.0f;
        row[kCoeffC] = 0.0f;
        row[kDisplayMax] = 5.0f;
        row[kDisplayMin] = 0.0f;
        const std::string& label = labels[k];
        p.channels.setLabel(
            c, label.empty() || label == kEnterLabel ? "variable " + std::to_string(k) : label);
    }
}

StreamChannelsModel::StreamChannelsModel(Program& p, std::string tagName,
                                         const std::optional<InstrumentRecord>& record)
    : p_(p), tag_(std::move(tagName)), displayName_(tag_) {
    values_.fill(kEmptyField);
    for (size_t k = 1; k <= kInstrumentFields; ++k) {
        labels_[k] = std::string(kEnterLabel);
        selected_[k] = p.device.serialArray[k][2] >= 1.0f;
    }
    if (record) {
        displayName_ = record->displayName;
        for (size_t i = 0; i < record->labels.size(); ++i) {
            const size_t row = kFirstLabelledRow + i;
            if (row <= kInstrumentFields && !record->labels[i].empty()) {
                labels_[row] = record->labels[i];
            }
        }
    }
}

int StreamChannelsModel::rows() const {
    if (tag_.empty()) {
        return kInstrumentFields;
    }
    // Fields beyond the instrument's labelled ones are hidden, down to row 7; a field that holds
    // a value stays, so no value of the line is out of reach.
    int rows = kInstrumentFields;
    while (rows > 6 && labels_[static_cast<size_t>(rows)] == kEnterLabel &&
           values_[static_cast<size_t>(rows)] == kEmptyField) {
        --rows;
    }
    return rows;
}

std::string StreamChannelsModel::heading() const {
    return tag_.empty() ? "Streaming serial channels" : "Streaming serial data setup";
}

std::string StreamChannelsModel::instrumentLine() const {
    return tag_.empty() ? "" : "Instrument:   " + displayName_;
}

std::string StreamChannelsModel::valueText(int k) const {
    return fieldShownText(values_[static_cast<size_t>(k)]);
}

std::string StreamChannelsModel::channelText(int k) const {
    const float c = p_.device.serialArray[static_cast<size_t>(k)][2];
    return selected(k) && c >= 1.0f ? std::to_string(static_cast<int>(c)) : "";
}

void StreamChannelsModel::setValues(const std::array<float, kInstrumentFields + 1>& fields) {
    values_ = fields;
    for (size_t k = 1; k <= kInstrumentFields; ++k) {
        p_.device.serialArray[k][1] = fields[k];
    }
}

void StreamChannelsModel::toggleSelect(int k) {
    if (k < 1 || k > kInstrumentFields) {
        return;
    }
    selected_[static_cast<size_t>(k)] = !selected_[static_cast<size_t>(k)];
    CountSerialChannels(p_, selected_, labels_);
}

void StreamChannelsModel::editLabel(int k, const std::string& text) {
    if (k < 1 || k > kInstrumentFields) {
        return;
    }
    labels_[static_cast<size_t>(k)] = text.substr(0, kLabelWidth);
    if (selected(k)) {
        CountSerialChannels(p_, selected_, labels_);
    }
}

bool StreamChannelsModel::okEnabled() const {
    return p_.session.nChan > 0;
}

void StreamChannelsModel::finish() {
    CountSerialChannels(p_, selected_, labels_);
    p_.session.RecordingMODE = 1;
    if (p_.session.MaxSamples == 0) {
        p_.session.MaxSamples = p_.prefs[kPrefWindowWidth];
    }
}

InstrumentRecord StreamChannelsModel::databaseRecord(const std::string& displayName) const {
    InstrumentRecord r;
    r.name = tag_;
    r.displayName = displayName;
    // Rows 3 up to the last field holding a value: every labelled field of the line is kept,
    // whether the tag took one field or two.
    int last = 0;
    for (int k = 1; k <= kInstrumentFields; ++k) {
        last = values_[static_cast<size_t>(k)] != kEmptyField ? k : last;
    }
    for (int row = kFirstLabelledRow; row <= last; ++row) {
        const std::string& l = labels_[static_cast<size_t>(row)];
        r.labels.push_back(l == kEnterLabel ? "" : l);
    }
    return r;
}

}  // namespace trindel
