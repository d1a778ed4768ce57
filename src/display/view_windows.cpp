#include "display/view_windows.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <random>

#include "display/chart_axis.h"
#include "display/chart_screen.h"
#include "text/number_text.h"

namespace trindel {

namespace {

std::string trimLeft(std::string s) {
    s.erase(0, s.find_first_not_of(' '));
    return s;
}

// `v` rounded to `digits` significant digits, in the runtime's decimal form.
std::string significant(double v, int digits) {
    if (v == 0 || !std::isfinite(v)) {
        return trimLeft(runtimeText(v));
    }
    const double scale =
        std::pow(10.0, digits - 1 - static_cast<int>(std::floor(std::log10(std::fabs(v)))));
    return trimLeft(runtimeText(std::round(v * scale) / scale));
}

int width(const Program& p) {
    return p.prefs[kPrefWindowWidth];
}

float& nv(Program& p, int c, int e) {
    return p.channels.Nvar[static_cast<size_t>(c)][static_cast<size_t>(e)];
}

}  // namespace

// ---- Chart view ----

ChartViewModel::ChartViewModel(Program& p) : p_(p) {
    COMPUTETICS(p_);
    if (!viewOffered(p_.session.ChartView)) {
        p_.session.ChartView = 1.0f;
        COMPUTETICS(p_);
    }
    if (p_.prefs[kPrefChartViewStyle] < 0 || p_.prefs[kPrefChartViewStyle] > 3) {
        p_.prefs[kPrefChartViewStyle] = 0;
    }
}

bool ChartViewModel::viewOffered(float v) const {
    return static_cast<double>(width(p_)) * v <= static_cast<double>(p_.session.MaxSamples);
}

bool ChartViewModel::chooseView(float v) {
    if (std::find(kChartViews.begin(), kChartViews.end(), v) == kChartViews.end() ||
        !viewOffered(v)) {
        return false;
    }
    p_.session.ChartView = v;
    COMPUTETICS(p_);
    return true;
}

bool ChartViewModel::scrollingOffered() const {
    return static_cast<double>(p_.session.MaxSamples) > width(p_) * static_cast<double>(view());
}

void ChartViewModel::chooseScrolling(int choice) {
    p_.prefs[kPrefChartViewStyle] = static_cast<int16_t>(choice >= 0 && choice <= 3 ? choice : 0);
}

std::string ChartViewModel::compressionText() const {
    return trimLeft(runtimeText(view())) + "x";
}

std::string ChartViewModel::screenDurationText() const {
    const double d = width(p_) * static_cast<double>(view()) * p_.session.ChartINTERVALinSECONDS;
    if (d > 7200) {
        return significant(d / 3600, 3) + " hr";
    }
    if (d > 600) {
        return significant(d / 60, 3) + " min";
    }
    return significant(d, 3) + " sec";
}

std::string ChartViewModel::totalScreensText() const {
    const double screens =
        p_.session.MaxSamples / (width(p_) * static_cast<double>(std::max(view(), 1.0f)));
    if (screens == std::trunc(screens)) {
        return trimLeft(runtimeText(screens));
    }
    const char* picture = screens < 100 ? "##.##" : screens < 1000 ? "###.#" : "#####.#";
    return trimLeft(pictureText(screens, picture));
}

std::string ChartViewModel::ticCaption() const {
    return p_.view.axis.CustomTic != 0 ? "Custom Tic Unit:" : "Default Tic Unit:";
}

std::string ChartViewModel::ticUnit() const {
    const ChartAxis& a = p_.view.axis;
    if (a.minute_units == 0) {
        return "seconds";
    }
    return a.TicIntervalInSeconds >= 3600 ? "hours" : "minutes";
}

double ChartViewModel::defaultTicInUnit() const {
    const double t = p_.view.axis.TicIntervalInSeconds;
    const std::string unit = ticUnit();
    return unit == "hours" ? t / 3600 : unit == "minutes" ? t / 60 : t;
}

double ChartViewModel::ticValue() const {
    const double custom = p_.view.axis.CustomTic;
    return defaultTicInUnit() * (custom != 0 ? custom : 1.0);
}

bool ChartViewModel::done(const std::string& typedTic) {
    COMPUTETICS(p_);
    std::string t = trimLeft(typedTic);
    while (!t.empty() && t.back() == ' ') {
        t.pop_back();
    }
    double u = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), u);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(u) ||
        u <= 0) {
        return false;
    }
    const double d = defaultTicInUnit();
    double custom = u / d;
    if (std::fabs(custom - 1.0) < 1e-9) {
        custom = 0;
    }
    // The set-up file carries the custom tick too.
    p_.view.axis.CustomTic = custom;
    p_.view.CustomTic = custom;
    COMPUTETICS(p_);
    return true;
}

std::vector<std::pair<float, int>> ChartViewModel::testPlot(unsigned seed) const {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> row(80, 129);
    const int n = static_cast<int>(200 * view());
    std::vector<std::pair<float, int>> points;
    points.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        points.emplace_back(static_cast<float>(i) / view(), row(rng));
    }
    return points;
}

// ---- Window size ----

std::optional<std::pair<int, int>> fixedWindowSize(int item) {
    switch (item) {
        case 3:
            return std::pair{640, 480};
        case 4:
            return std::pair{800, 600};
        case 5:
            return std::pair{832, 624};
        case 6:
            return std::pair{1024, 768};
        default:
            return std::nullopt;
    }
}

bool windowSizeFits(int item, int screenWidth) {
    const auto size = fixedWindowSize(item);
    return size ? screenWidth >= size->first : item == 7;
}

bool chooseWindowSize(Program& p, int item, int screenWidth, int screenHeight) {
    std::pair<int, int> size;
    if (item == 7) {
        size = {std::max(kMinChartWidth, screenWidth - 30),
                std::max(kMinChartHeight, screenHeight - 47)};
    } else if (const auto fixed = fixedWindowSize(item)) {
        size = *fixed;
    } else {
        return false;
    }
    const int oldHeight = p.prefs[kPrefWindowHeight];
    p.prefs[kPrefWindowWidth] = static_cast<int16_t>(std::min(size.first, 32000));
    p.prefs[kPrefWindowHeight] = static_cast<int16_t>(std::min(size.second, 32000));
    p.session.ScopeMax = std::max<int32_t>(p.session.ScopeMax, p.prefs[kPrefWindowWidth]);
    SetChanParams(p, oldHeight, 1);
    return true;
}

void WindowSizeDrag::dragTo(int innerWidth, int innerHeight) {
    p_.prefs[kPrefWindowWidth] = static_cast<int16_t>(std::clamp(innerWidth + 14, 640, 32000));
    p_.prefs[kPrefWindowHeight] = static_cast<int16_t>(std::clamp(innerHeight + 14, 400, 32000));
}

void WindowSizeDrag::finish() {
    p_.session.ScopeMax = std::max<int32_t>(p_.session.ScopeMax, p_.prefs[kPrefWindowWidth]);
    SetChanParams(p_, oldHeight_, 1);
    if (p_.session.nChan > 0) {
        p_.prefs[kPrefWindowHeight] =
            static_cast<int16_t>(std::clamp(lastBandBottom(p_) + 30, 400, 32000));
    }
    oldHeight_ = p_.prefs[kPrefWindowHeight];
}

std::vector<std::pair<int, int>> WindowSizeDrag::outlines() {
    std::vector<std::pair<int, int>> sizes{{640, 400}, {800, 600}};
    for (int w = 1000, h = 700; w <= 2200; w += 200, h += 100) {
        sizes.emplace_back(w, h);
    }
    return sizes;
}

// ---- Plot heights ----

PlotHeightModel::PlotHeightModel(Program& p) : p_(p) {
    for (int c = 1; c <= kMaxChannels; ++c) {
        for (int e = 0; e < 5; ++e) {
            saved_[static_cast<size_t>(c)][static_cast<size_t>(e)] = nv(p_, c, kBandHeight + e);
        }
    }
    lastBottom_ = lastBandBottom(p_);
    placing_ = p_.session.nChan > 1 ? 1 : 0;
}

std::pair<int, int> PlotHeightModel::allowedRows() const {
    if (placing_ == 0) {
        return {0, 0};
    }
    const int previous =
        placing_ == 1
            ? 35
            : static_cast<int>(p_.channels.Nvar[static_cast<size_t>(placing_ - 1)][kBandBottom]) +
                  1;
    const int still = p_.session.nChan - placing_;
    return {previous + 20, std::max(previous + 20, lastBottom_ - 20 * still)};
}

void PlotHeightModel::place(int y) {
    if (placing_ == 0) {
        return;
    }
    const auto [lo, hi] = allowedRows();
    y = std::clamp(y, lo, hi);
    const int c = placing_;
    const float top = c == 1 ? 35.0f : nv(p_, c - 1, kBandBottom) + 1;
    nv(p_, c, kBandBottom) = static_cast<float>(y);
    nv(p_, c, kBandHeight) = static_cast<float>(y) - top;
    nv(p_, c, kLabelRow) = static_cast<float>(y - 1);
    nv(p_, c, kReadoutRow) = top + 10;
    nv(p_, c, kLastPenRow) = static_cast<float>(y);
    ++placing_;
    if (placing_ == p_.session.nChan) {
        const int last = placing_;
        const float lastTop = nv(p_, last - 1, kBandBottom) + 1;
        nv(p_, last, kBandBottom) = static_cast<float>(lastBottom_);
        nv(p_, last, kBandHeight) = static_cast<float>(lastBottom_) - lastTop;
        nv(p_, last, kLabelRow) = static_cast<float>(lastBottom_ - 1);
        nv(p_, last, kReadoutRow) = lastTop + 10;
        nv(p_, last, kLastPenRow) = static_cast<float>(lastBottom_);
        placing_ = 0;
    }
}

void PlotHeightModel::restore() {
    for (int c = 1; c <= kMaxChannels; ++c) {
        for (int e = 0; e < 5; ++e) {
            nv(p_, c, kBandHeight + e) = saved_[static_cast<size_t>(c)][static_cast<size_t>(e)];
        }
    }
}

void PlotHeightModel::doAgain() {
    restore();
    placing_ = p_.session.nChan > 1 ? 1 : 0;
}

void PlotHeightModel::normalValues() {
    SetChanParams(p_, p_.prefs[kPrefWindowHeight], 0);
    placing_ = 0;
}

void PlotHeightModel::cancel() {
    restore();
    placing_ = 0;
}

std::pair<int, int> PlotHeightModel::band(int channel) const {
    const auto& row = p_.channels.Nvar[static_cast<size_t>(channel)];
    return {static_cast<int>(row[kBandBottom] - row[kBandHeight]),
            static_cast<int>(row[kBandBottom])};
}

// ---- Colours ----

const std::vector<ColourButtonInfo>& colourButtons() {
    static const std::vector<ColourButtonInfo> kButtons = {
        {ColourButton::Frame, "Text, Frame, Dots", "pick chart frame color"},
        {ColourButton::ChartBackground, "Chart Background", "pick chart background color"},
        {ColourButton::DataLine, "Data Line", "pick chart data color"},
        {ColourButton::Markers, "Markers", "pick markers color"},
        {ColourButton::ScopeFrame, "Scope Frame", "pick scope data color"},
        {ColourButton::ScopeData, "Scope Data", "pick scope data color"},
        {ColourButton::ScopeBackground, "Scope Background", "pick scope background color"},
    };
    return kButtons;
}

RGBColor& colourOf(Colours& c, ColourButton b, bool highSpeedScope) {
    switch (b) {
        case ColourButton::Frame:
            return c.ChartFrameColor;
        case ColourButton::ChartBackground:
            return c.ChartBackgroundColor;
        case ColourButton::DataLine:
            return c.ChartDataColor;
        case ColourButton::Markers:
            return c.Markwhite;
        case ColourButton::ScopeFrame:
            return c.ScFrame;
        case ColourButton::ScopeData:
            return c.ScopeDataColor;
        case ColourButton::ScopeBackground:
            break;
    }
    return highSpeedScope ? c.FastScopeBackground : c.ScopeBackgroundColor;
}

void copyChartColours(Colours& to, const Colours& from) {
    to.ChartFrameColor = from.ChartFrameColor;
    to.ChartBackgroundColor = from.ChartBackgroundColor;
    to.ChartDataColor = from.ChartDataColor;
    to.Markwhite = from.Markwhite;
    to.ScopeDataColor = from.ScopeDataColor;
    to.ScopeBackgroundColor = from.ScopeBackgroundColor;
    to.FastScopeBackground = from.FastScopeBackground;
    to.ScFrame = from.ScFrame;
    to.PlFrame = from.ChartFrameColor;
}

}  // namespace trindel
