// The direct-calibration window as a model: the calibration points, the fit of the chosen type
// with its r-squared and residuals, the window's texts, and what leaving the window gives the
// channel's conversion.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "signal/calibration_fits.h"
#include "signal/conversion_defaults.h"
#include "signal/equations.h"

namespace trindel {

inline constexpr int kMaxCalibrationPoints = 100;
inline constexpr std::array<int, 7> kCalibrationReadings = {1, 2, 5, 10, 20, 50, 100};

// What the window leaves for the conversion window to store.
struct CalibrationResult {
    int type = kCalLinear;
    Coefficients k;
    DisplayRange range;
    std::string label;
};

class DirectCalibrationModel {
  public:
    // `type` is the channel's present conversion type; any type but power and quadratic starts
    // the window on the linear fit.
    DirectCalibrationModel(int channel, int input, std::string label, int type);

    std::string title() const;
    int channel() const { return channel_; }

    int readings() const { return readings_; }
    // One of kCalibrationReadings; other counts are ignored.
    void setReadings(int count);

    int type() const { return type_; }
    void setType(int type);  // kCalLinear, kCalPower or kCalQuadratic

    // "Get Voltage": adds the point (value y, measured volts x). False, and nothing added, once
    // the table holds 100 points.
    bool addPoint(double y, double x);
    bool full() const { return static_cast<int>(points_.size()) >= kMaxCalibrationPoints; }
    void clear();  // "Clear"
    const std::vector<CalibrationPoint>& points() const { return points_; }

    // The fit over all points; computed from three points on.
    bool hasFit() const { return fit_.valid; }
    const CalibrationFit& fit() const { return fit_; }
    const std::vector<double>& residuals() const { return residuals_; }

    // "A + B*volts", "B*volts^exponent" or "A + B*volts + C*volts^ 2 ".
    std::string equationText() const;
    // The fitted equation with its numbers, and "N = n, r-squared = r".
    std::string fitText() const;
    std::string statsText() const;
    // "1 point entered", "3 points entered".
    std::string countText() const;
    bool powerNoteShown() const { return type_ == kCalPower; }
    // Explains why three or more points give no fit (all at the same volts, say); else empty.
    std::string problemText() const;

    // The calibration plot's value range: the smallest and largest calibration value.
    DisplayRange plotRange() const;

    const std::string& label() const { return label_; }
    void setLabel(std::string text) { label_ = std::move(text); }

    // "Equation OK": with a fit, its type, coefficients and the plot's value range; without one
    // (two points or fewer), a = 0, b = 1, range 0 to 1 and c = 0 (linear) or 1.
    CalibrationResult equationOK() const;
    // The close box discards the points and leaves the result of a window without a fit.
    CalibrationResult closeBox();

  private:
    void refit();

    int channel_;
    int input_;
    std::string label_;
    int type_;
    int readings_ = 10;
    std::vector<CalibrationPoint> points_;
    CalibrationFit fit_;
    std::vector<double> residuals_;
};

}  // namespace trindel
