// Least-squares fits of calibration values against measured volts: the straight line, the power
// function (in log space) and the quadratic (orthogonal polynomials), with r-squared and residuals.
#pragma once

#include <vector>

namespace trindel {

struct CalibrationPoint {
    double y = 0.0;  // the calibration value typed by the user
    double x = 0.0;  // the measured volts
};

// Conversion types the calibration produces.
inline constexpr int kCalLinear = 1;
inline constexpr int kCalQuadratic = 2;
inline constexpr int kCalPower = 3;

struct CalibrationFit {
    bool valid = false;  // false when the points cannot determine the curve
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;  // the x-squared coefficient, or the exponent of the power fit
    double r2 = 0.0;
    int used = 0;  // points that took part (the power fit skips non-positive ones)
};

// y = a + b*x. Needs two distinct x values.
CalibrationFit linearFit(const std::vector<CalibrationPoint>& points);
// y = b*x^c from the points with x > 0 and y > 0, fitted as a line in log10 space; a = 0.
CalibrationFit powerFit(const std::vector<CalibrationPoint>& points);
// y = a + b*x + c*x^2 by Forsythe's orthogonal polynomials (three-term recurrence), converted to
// the power form. Needs three distinct x values.
CalibrationFit quadraticFit(const std::vector<CalibrationPoint>& points);
CalibrationFit fitOfType(int type, const std::vector<CalibrationPoint>& points);

// f(x) of a fit of the given type; the power fit gives 0 for x <= 0.
double evaluateFit(int type, const CalibrationFit& fit, double x);
// y - f(x) for each point; in a power fit a point with x <= 0 or y <= 0 gets 0.
std::vector<double> calibrationResiduals(int type, const CalibrationFit& fit,
                                         const std::vector<CalibrationPoint>& points);

}  // namespace trindel
