#include "signal/stored_conversions_window.h"

#include "signal/equations.h"
#include "text/field_text.h"

namespace trindel {

namespace {

constexpr size_t kThreeWayFirst = 100;

std::string slot(const std::string& slots, size_t index, size_t width) {
    const size_t at = index * width;
    std::string s = at < slots.size() ? slots.substr(at, width) : "";
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) {
        s.pop_back();
    }
    return s;
}

void putSlot(std::string& slots, size_t index, size_t width, std::string_view text) {
    std::string padded(text.substr(0, width));
    padded.resize(width, ' ');
    if (slots.size() < (index + 1) * width) {
        slots.resize((index + 1) * width, ' ');
    }
    slots.replace(index * width, width, padded);
}

float number(const std::string& text) {
    return static_cast<float>(fieldValue(text));
}

}  // namespace

StoredConversionsModel::StoredConversionsModel(const ConversionTables& t) {
    for (int k = 1; k <= kStoredConversions; ++k) {
        StoredConversionRow& r = row(k);
        const size_t i = static_cast<size_t>(k - 1);
        r.button = slot(t.buttonlbls, i, kButtonLabelSlot);
        r.channel = slot(t.butcomments, i, kLabelWidth);
        r.type = codeOf(t.convert[storedIndex(k, 8)]);
        if (r.type < 1) {
            r.type = 1;
        }
        for (int e = 1; e <= 5; ++e) {
            r.fields[static_cast<size_t>(e - 1)] = fieldText(t.convert[storedIndex(k, e)]);
        }
    }
    threeWay_.button = slot(t.buttonlbls, 8, kButtonLabelSlot);
    threeWay_.channel = slot(t.but1lbls, 0, kLabelWidth);
    for (size_t e = 0; e < 8; ++e) {
        threeWay_.fields[e] = fieldText(t.convert[kThreeWayFirst + e]);
    }
}

void StoredConversionsModel::store(ConversionTables& t) const {
    for (int k = 1; k <= kStoredConversions; ++k) {
        const StoredConversionRow& r = row(k);
        const size_t i = static_cast<size_t>(k - 1);
        for (int e = 1; e <= 5; ++e) {
            t.convert[storedIndex(k, e)] = number(r.fields[static_cast<size_t>(e - 1)]);
        }
        t.convert[storedIndex(k, 8)] = static_cast<float>(r.type);
        putSlot(t.buttonlbls, i, kButtonLabelSlot, r.button);
        putSlot(t.butcomments, i, kLabelWidth, r.channel);
    }
    for (size_t e = 0; e < 8; ++e) {
        t.convert[kThreeWayFirst + e] = number(threeWay_.fields[e]);
    }
    putSlot(t.buttonlbls, 8, kButtonLabelSlot, threeWay_.button);
    putSlot(t.but1lbls, 0, kLabelWidth, threeWay_.channel);
}

bool CUSTOMTRANSFER(const Program& p, ConversionTables& t, int k, int channel) {
    if (k < 1 || k > kStoredConversions || channel < 1 || channel > kMaxChannels) {
        return false;
    }
    const int type = codeOf(p.channels.conversionType(channel));
    if (type != kConvLinear && type != kConvQuadratic && type != kConvPower &&
        type != kConvLogarithmic && type != kConvReciprocal) {
        return false;
    }
    const auto& row = p.channels.Nvar[static_cast<size_t>(channel)];
    const std::string label = p.channels.label(channel);
    putSlot(t.buttonlbls, static_cast<size_t>(k - 1), kButtonLabelSlot, label);
    putSlot(t.butcomments, static_cast<size_t>(k - 1), kLabelWidth, label);
    t.convert[storedIndex(k, 1)] = row[kCoeffA];
    t.convert[storedIndex(k, 2)] = row[kCoeffB];
    t.convert[storedIndex(k, 3)] = row[kCoeffC];
    t.convert[storedIndex(k, 4)] = row[kDisplayMin];
    t.convert[storedIndex(k, 5)] = row[kDisplayMax];
    t.convert[storedIndex(k, 8)] = static_cast<float>(type);
    return true;
}

}  // namespace trindel
