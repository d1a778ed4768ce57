// One chart scan as the screen shows it (the per-scan result the scan steps leave) and the
// drawing of its trace: one segment per channel from the previous scan's pen position.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "platform/canvas.h"
#include "state/program.h"

namespace trindel {

// A field text kept in place, so a scan's result needs no allocation. Texts longer than the
// room (none of the scan's texts comes near it) are cut.
class FieldText {
  public:
    void assign(std::string_view text) {
        size_ = 0;
        append(text);
    }
    void append(std::string_view text) {
        const size_t n = std::min(text.size(), chars_.size() - size_);
        std::copy_n(text.data(), n, chars_.data() + size_);
        size_ += n;
    }
    std::string_view view() const { return {chars_.data(), size_}; }

  private:
    std::array<char, 40> chars_;  // only the first size_ are set
    size_t size_;                 // set by assign
};

// What one channel's scan left for the screen. Built afresh at every scan, so the fields start
// unset; the scan steps set every one (a text only when its field is shown).
struct ChannelScan {
    float value;                  // the value shown and drawn (the unread value when zeroed)
    bool showStatus;              // the status field shows `statusText`
    bool alarmed;                 // an alarm went off: alert style, and the alarm sound
    std::string_view statusText;  // alarm or error text (a fixed text)
    bool showSwitching;           // the switching field shows `switchingText`
    FieldText switchingText;      // "ref3", " zeroed ", "2 ON", ...
    bool showReadout;             // the read-out shows `readout`
    FieldText readout;            // value text with the slope sign
};

// The result of one scan: channels first..last and the pen column the scan is drawn at.
struct ScanResult {
    int first = 1;
    int last = 0;
    int column = 0;
    std::array<ChannelScan, kMaxChannels + 1> channels;
};

// The pen row of `value` in channel c's band: the band's bottom for a flat range or a value that
// is not a number, else the value's place between the display minimum and maximum, kept inside
// the band.
int penRow(const ChannelTable& channels, int channel, float value);

// Draws the scan's trace: for each channel a line from its last pen row at the previous column to
// its new row at the scan's column (the first two samples start off screen at column -500), then
// keeps the new rows and column for the next scan.
void drawScan(Program& p, Canvas& canvas, const ScanResult& scan);

}  // namespace trindel
