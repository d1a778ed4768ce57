#include "display/scope_view.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "text/number_text.h"

namespace trindel {

const std::array<ScopeViewChoice, 10>& scopeViewChoices() {
    static const std::array<ScopeViewChoice, 10> kChoices{{{"Show Every Point", 1},
                                                           {"2nd Point", 2},
                                                           {"3rd Point", 3},
                                                           {"4th Point", 4},
                                                           {"5th Point", 5},
                                                           {"10th Point", 10},
                                                           {"12th Point", 12},
                                                           {"15th Point", 15},
                                                           {"20th Point", 20},
                                                           {"30th Point", 30}}};
    return kChoices;
}

bool validScopeViewStep(int step) {
    const auto& c = scopeViewChoices();
    return std::any_of(c.begin(), c.end(),
                       [&](const ScopeViewChoice& v) { return v.step == step; });
}

ScopeTics COMPUTESCOPETICS(int32_t scopeMax, double scopeinterval, double ScopeINTERVALinSECONDS,
                           int width, double xFactor) {
    ScopeTics t;
    if (scopeMax <= 0 || width <= 0 || !(scopeinterval > 0.0) || !(ScopeINTERVALinSECONDS > 0.0) ||
        !(xFactor > 0.0)) {
        return t;
    }
    const double n = scopeMax;
    const double w = width;
    const double c = n * 1e-7 * ScopeINTERVALinSECONDS / w;
    const double length = n * scopeinterval;
    int power = -20;
    while (length > std::pow(10.0, power) && power < 20) {
        ++power;
    }
    const double top = std::pow(10.0, power);
    const double span = 10.0 * length / top;
    double f = 1.0;
    if (span < 1.50001) {
        f = 0.1;
    } else if (span < 2.00001) {
        f = 0.25;
    } else if (span <= 8.0) {
        f = 0.5;
    }
    double q = top / 10.0;
    double g = (0.1 / xFactor) * f * q / c;
    // Each try is ten times narrower; forty tries reach any width from any sweep.
    for (int tries = 0; g / w > 0.5 && tries < 40; ++tries) {
        q /= 10.0;
        g = (0.1 / xFactor) * (f * 10.0 * w / n) * q / c;
    }
    t.span = static_cast<float>(span);
    t.scopeticgap = static_cast<float>(std::min(g, w / 2.0));
    t.tickSeconds = length * t.scopeticgap / w;
    return t;
}

ScopeViewModel::ScopeViewModel(const Program& p)
    : scopeMax_(p.session.ScopeMax),
      width_(p.prefs[kPrefWindowWidth]),
      sweepSeconds_(p.session.ScopeMax * static_cast<double>(p.session.scopeinterval)),
      step_(p.view.ScopeViewSTEP),
      custom_(p.scope.run.CustomScopeTic) {
    const double xf = scopeMax_ > 0 ? static_cast<double>(width_) / scopeMax_ : 1.0;
    defaultTick_ = COMPUTESCOPETICS(scopeMax_, p.session.scopeinterval,
                                    p.session.ScopeINTERVALinSECONDS, width_, xf)
                       .tickSeconds;
}

void ScopeViewModel::chooseStep(int16_t step) {
    if (validScopeViewStep(step)) {
        step_ = step;
    }
}

bool ScopeViewModel::useCustomTic(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    double v = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc{} || !(v > 0.0) || !std::isfinite(v) || !(defaultTick_ > 0.0)) {
        return false;
    }
    const double unitTick = minutes() ? defaultTick_ / 60.0 : defaultTick_;
    custom_ = v / unitTick;
    return true;
}

int32_t ScopeViewModel::testPoints() const {
    if (width_ <= 0 || step_ <= 0) {
        return 0;
    }
    return static_cast<int32_t>(200.0 * scopeMax_ / (static_cast<double>(width_) * step_));
}

void ScopeViewModel::apply(Program& p) const {
    p.view.ScopeViewSTEP = step_;
    p.scope.run.CustomScopeTic = custom_;
    if (scopeMax_ > 0) {
        p.scope.run.scopeXfactor = static_cast<float>(width_) / static_cast<float>(scopeMax_);
    }
}

void setScopeGeometry(Program& p) {
    ScopeRunState& r = p.scope.run;
    const auto& row = p.channels.Nvar[1];
    const float bottom = row[kBandBottom];
    const float height = row[kBandHeight];
    r.scminPix = static_cast<int16_t>(bottom - 2);
    r.ScopeHite = static_cast<int16_t>(bottom - 40);
    r.ScopeBase = static_cast<int16_t>(bottom - height / 2);
    r.scsf = p.view.Vmax > 0 ? p.view.Vmax : 5.0f;
    r.sccf = r.ScopeHite * static_cast<float>(p.view.ScopeGain) / r.scsf;
    const int width = p.prefs[kPrefWindowWidth];
    if (p.session.ScopeMax > 0) {
        r.scopeXfactor = static_cast<float>(width) / static_cast<float>(p.session.ScopeMax);
    }
}

float scopeRow(const Program& p, float volts) {
    const ScopeRunState& r = p.scope.run;
    const int device = p.device.External_AD;
    float y = 0.0f;
    if (device == 1 || device == 4 || device == 5) {
        const auto& row = p.channels.Nvar[1];
        const float range = row[kDisplayMax] - row[kDisplayMin];
        const float fraction = range != 0.0f ? (volts - row[kDisplayMin]) / range : 0.0f;
        y = (row[kBandBottom] - 1) - row[kBandHeight] * fraction;
    } else {
        y = r.ScopeBase - r.sccf * volts;
    }
    if (!std::isfinite(y)) {
        y = r.scminPix;
    }
    return std::clamp(y, 35.0f, std::max(35.0f, static_cast<float>(r.scminPix)));
}

std::string_view ordinalSuffix(int n) {
    const int last2 = n % 100;
    if (last2 >= 11 && last2 <= 13) {
        return "th";
    }
    switch (n % 10) {
        case 1:
            return "st";
        case 2:
            return "nd";
        case 3:
            return "rd";
        default:
            return "th";
    }
}

std::vector<std::string> scopeInfoLine(const Program& p, int windowWidth) {
    const int32_t n = p.session.ScopeMax;
    const float seconds = static_cast<float>(n) * p.session.scopeinterval;
    std::string width = "Scope width:" + runtimeText(n) + " samples";
    const int step = p.view.ScopeViewSTEP;
    if (step > 1 && windowWidth >= 641) {
        width += "; plot every" + runtimeText(step) + std::string(ordinalSuffix(step));
        if (windowWidth > 832) {
            width += " Sample";
        }
    }
    return {"hit 'TAB' to save", floatText(seconds) + " sec scope trace", width};
}

}  // namespace trindel
