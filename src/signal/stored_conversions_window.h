// The stored-conversions windows as models: "Customize Conversions..." edits the eight stored
// linear or quadratic conversions and the stored three-way polynomial with their labels;
// "Transfer Current Conversions..." copies a channel's conversion into one of the eight.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "state/program.h"

namespace trindel {

inline constexpr int kStoredConversions = 8;
inline constexpr size_t kButtonLabelSlot = 25;

// One stored conversion as its row of fields shows it.
struct StoredConversionRow {
    std::string button;   // up to 25 characters
    std::string channel;  // up to 30 characters
    // Conversion type: "poly?" is checked for 2 and switches between 2 and 1. A row that took a
    // power, log10 or reciprocal channel by a transfer keeps that type until the box is used.
    int type = 1;
    bool poly() const { return type == 2; }
    void setPoly(bool on) { type = on ? 2 : 1; }
    std::array<std::string, 5> fields;  // a, b, c, min, max
};

struct StoredThreeWayRow {
    std::string button;
    std::string channel;
    // A, B, C, D, E (result multiplier), input multiplier, min, max.
    std::array<std::string, 8> fields;
};

class StoredConversionsModel {
  public:
    explicit StoredConversionsModel(const ConversionTables& t);

    StoredConversionRow& row(int k) { return rows_[static_cast<size_t>(k - 1)]; }  // k = 1..8
    const StoredConversionRow& row(int k) const { return rows_[static_cast<size_t>(k - 1)]; }
    StoredThreeWayRow& threeWay() { return threeWay_; }

    // "Conversions OK" (and the first half of "Save Conversions..."): the fields are read as
    // numbers (text that is not one reads 0), the labels padded or cut to their slots.
    void store(ConversionTables& t) const;

  private:
    std::array<StoredConversionRow, kStoredConversions> rows_;
    StoredThreeWayRow threeWay_;
};

// "Select" of the transfer window: stored conversion `k` (1..8) takes channel `channel`'s label
// (its first 25 characters for the button), a, b, c, display range and conversion type. Only
// the equations with a, b and c (linear, quadratic, power, log10, reciprocal) can be stored:
// for any other channel, or a bad number, nothing changes and the result is false.
bool CUSTOMTRANSFER(const Program& p, ConversionTables& t, int k, int channel);

// Index of element `e` of stored conversion `k` (1..8) in the flat table.
constexpr size_t storedIndex(int k, int e) {
    return static_cast<size_t>((k + 2) * 9 + e);
}

}  // namespace trindel
