#include "ui/interval_choice.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/number_text.h"

namespace trindel {

namespace {

std::string threeDigits(double v) {
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 3);
    return std::string(buf, r.ptr);
}

std::string durationWords(double seconds, bool padded) {
    if (seconds > 172800) {
        return threeDigits(seconds / 86400) + " days";
    }
    if (seconds > 7200) {
        return threeDigits(seconds / 3600) + (padded ? " hours" : " hr");
    }
    if (seconds > 600) {
        return threeDigits(seconds / 60) + " min ";
    }
    return threeDigits(seconds) + " sec  ";
}

}  // namespace

IntervalChoice::IntervalChoice(const Program& p)
    : interval_(p.session.OldChartSpeed),
      button_(p.session.OldChartSpeedBut),
      maxSamples_(p.session.MaxSamples),
      width_(std::max<int32_t>(1, p.prefs[kPrefWindowWidth])),
      maximum_(p.session.MaximumSamples) {
    if (maxSamples_ == 0) {
        maxSamples_ = width_;
    }
    if (p.device.External_AD != 4) {
        buttons_ = {
            {68, "1/500 second", 0.002}, {67, "1/250 second", 0.004}, {1, "1/125 second", 0.008}};
    }
    const char* fractions[] = {"1/60 second", "1/30 second", "1/20 second", "1/15 second"};
    for (int b = 2; b <= 5; ++b) {
        buttons_.push_back({b, fractions[b - 2], (b - 1) * 0.01666667});
    }
    const std::vector<IntervalButton> slow = {
        {6, " 1/10 second", 0.1}, {7, " 1/4 second", 0.25}, {8, " 1/2 second", 0.5},
        {9, "  1 second", 1},     {10, "  2 seconds", 2},   {11, "  5 seconds", 5},
        {12, " 10 seconds", 10},  {15, " 20 seconds", 20},  {31, " 30 seconds", 30}};
    buttons_.insert(buttons_.end(), slow.begin(), slow.end());
}

const std::vector<DurationButton>& IntervalChoice::durationButtons() {
    static const std::vector<DurationButton> kButtons = {
        {51, "5 sec", 300},    {52, "10 sec", 600},    {53, "30 sec", 1800},
        {54, "1 min", 3600},   {55, "5 min", 18000},   {56, "10 min", 36000},
        {57, "20 min", 72000}, {58, "30 min", 108000}, {59, "1 hr", 216000},
        {60, "6 hr", 1296000}, {61, "12 hr", 2592000}, {62, "24 hr", 5184000}};
    return kButtons;
}

void IntervalChoice::chooseInterval(int button) {
    for (const IntervalButton& b : buttons_) {
        if (b.number == button) {
            interval_ = b.seconds;
            button_ = button;
        }
    }
}

void IntervalChoice::typeInterval(const std::string& text) {
    double v = 0;
    const char* first = text.data();
    while (first < text.data() + text.size() && *first == ' ') {
        ++first;
    }
    auto r = std::from_chars(first, text.data() + text.size(), v);
    if (r.ec != std::errc() || !(v > 0) || !std::isfinite(v)) {
        v = 5.0;
    }
    interval_ = v;
    button_ = 13;
}

bool IntervalChoice::sampleButtonEnabled(const std::string& b) const {
    const int32_t m = maxSamples_;
    const int32_t W = width_;
    const int32_t M = maximum_;
    if (raisedToTen_ && (b == "<<" || b == "<" || b == "-50" || b == "-10" || b == "-1")) {
        return false;
    }
    if (b == "<<")
        return m >= W + 10;
    if (b == "<")
        return m >= W / 2 + 10;
    if (b == ">")
        return m <= M - W / 2;
    if (b == ">>")
        return m <= M - W;
    if (b == ">>|")
        return m < M;
    if (b == "X2")
        return m <= M / 2;
    if (b == "X10")
        return m <= M / 10;
    if (b ==
        "\xC3\xB7"
        "2")
        return m > 19;
    if (b ==
        "\xC3\xB7"
        "10")
        return m > 99;
    if (b == "-50")
        return m > 60;
    if (b == "-10" || b == "-1")
        return m > 9;
    if (b == " + 1" || b == " + 10" || b == " + 50")
        return m <= M;
    return b == "|<<";
}

bool IntervalChoice::stepSamples(const std::string& b) {
    int64_t m = maxSamples_;
    const int64_t W = width_;
    if (b == "|<<")
        m = W;
    else if (b == ">>|")
        m = maximum_;
    else if (b == "<<")
        m -= W;
    else if (b == ">>")
        m += W;
    else if (b == "<")
        m -= W / 2;
    else if (b == ">")
        m += W / 2;
    else if (b == "-50")
        m -= 50;
    else if (b == "-10")
        m -= 10;
    else if (b == "-1")
        m -= 1;
    else if (b == " + 1")
        m += 1;
    else if (b == " + 10")
        m += 10;
    else if (b == " + 50")
        m += 50;
    else if (b == "X2")
        m *= 2;
    else if (b == "X10")
        m *= 10;
    else if (b ==
             "\xC3\xB7"
             "2")
        m /= 2;
    else if (b ==
             "\xC3\xB7"
             "10")
        m /= 10;
    m = std::min<int64_t>(m, maximum_);
    raisedToTen_ = m < 10;
    maxSamples_ = static_cast<int32_t>(std::max<int64_t>(m, 10));
    return !raisedToTen_;
}

void IntervalChoice::typeSamples(const std::string& text) {
    int64_t v = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec == std::errc()) {
        maxSamples_ = static_cast<int32_t>(std::clamp<int64_t>(v, 10, maximum_));
    }
}

bool IntervalChoice::durationOffered(int button) const {
    const double i = interval_;
    const double T = maximum_ * i;
    switch (button) {
        case 51:
            return i < 0.033 && 100 * i <= 5;
        case 52:
            return i < 0.1 && 100 * i <= 10;
        case 53:
            return i < 0.1 && 100 * i <= 30;
        case 54:
            return T >= 60 && 100 * i <= 60;
        case 55:
            return T >= 300;
        case 56:
            return T >= 600;
        case 57:
            return T >= 1200;
        case 58:
            return T >= 1800;
        case 59:
            return 100 * i <= 3600;
        case 60:
            return T >= 21600;
        case 61:
            return T >= 43200;
        case 62:
            return T >= 86400;
        default:
            return false;
    }
}

void IntervalChoice::chooseDuration(int button) {
    for (const DurationButton& d : durationButtons()) {
        if (d.number == button) {
            const double n = d.ticks * 0.01666667 / interval_ + 0.5;
            maxSamples_ = static_cast<int32_t>(std::min<double>(maximum_, std::trunc(n)));
        }
    }
}

std::string IntervalChoice::durationText() const {
    return "  Duration " + durationWords(interval_ * maxSamples_, true);
}

std::string IntervalChoice::maximumTimeText() const {
    return "Maximum time = " + durationWords(maximum_ * interval_, false);
}

std::string IntervalChoice::title(const Program& p) const {
    const int n = p.session.RecordingMODE == 3 ? p.session.nChan - 1 : p.session.nChan;
    return "Chart Channels  (" + std::to_string(n) + " total )";
}

void IntervalChoice::apply(Program& p) const {
    Session& s = p.session;
    s.SampleIntervalinSeconds = interval_;
    s.ChartINTERVALinSECONDS = interval_;
    s.ChartSampleInterval = static_cast<float>(interval_);
    s.OldChartSpeed = interval_;
    s.OldChartSpeedBut = static_cast<int16_t>(button_);
    s.MaxSamples = maxSamples_;
    if (interval_ < 0.2) {
        p.prefs[kPrefBeepAtSample] = 0;
    }
}

}  // namespace trindel
