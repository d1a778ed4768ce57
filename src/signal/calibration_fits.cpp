#include "signal/calibration_fits.h"

#include <algorithm>
#include <cmath>

namespace trindel {

namespace {

// The power fit's logarithm, ln(v) / ln(10) with the divisor rounded as the calibration
// window has always used it, so a fit made here matches one made before.
double log10Cal(double v) {
    return std::log(v) / 2.3025851;
}

struct LineSums {
    double xMean = 0.0, yMean = 0.0, sxx = 0.0, syy = 0.0, sxy = 0.0, xx = 0.0;
};

// A spread of x below this part of the sum of squares is rounding, not different volts.
constexpr double kSpreadFloor = 1e-20;

// Two passes (means first) keep the sums exact enough when the values sit far from zero.
LineSums lineSums(const std::vector<double>& xs, const std::vector<double>& ys) {
    LineSums s;
    const double n = static_cast<double>(xs.size());
    for (size_t i = 0; i < xs.size(); ++i) {
        s.xMean += xs[i];
        s.yMean += ys[i];
    }
    s.xMean /= n;
    s.yMean /= n;
    for (size_t i = 0; i < xs.size(); ++i) {
        const double dx = xs[i] - s.xMean;
        const double dy = ys[i] - s.yMean;
        s.sxx += dx * dx;
        s.syy += dy * dy;
        s.sxy += dx * dy;
        s.xx += xs[i] * xs[i];
    }
    return s;
}

// Slope, intercept and r-squared of a line through (xs, ys); invalid with fewer than two
// distinct x values. Values that are all equal lie exactly on the line: r-squared 1.
CalibrationFit fitLine(const std::vector<double>& xs, const std::vector<double>& ys) {
    CalibrationFit f;
    f.used = static_cast<int>(xs.size());
    if (xs.size() < 2) {
        return f;
    }
    const LineSums s = lineSums(xs, ys);
    if (!(s.sxx > kSpreadFloor * s.xx)) {
        return f;
    }
    f.valid = true;
    f.b = s.sxy / s.sxx;
    f.a = s.yMean - f.b * s.xMean;
    f.r2 = s.syy > 0.0 ? (s.sxy * s.sxy) / (s.sxx * s.syy) : 1.0;
    return f;
}

}  // namespace

CalibrationFit linearFit(const std::vector<CalibrationPoint>& points) {
    std::vector<double> xs, ys;
    for (const CalibrationPoint& p : points) {
        xs.push_back(p.x);
        ys.push_back(p.y);
    }
    return fitLine(xs, ys);
}

CalibrationFit powerFit(const std::vector<CalibrationPoint>& points) {
    std::vector<double> xs, ys;
    for (const CalibrationPoint& p : points) {
        if (p.x > 0.0 && p.y > 0.0) {
            xs.push_back(log10Cal(p.x));
            ys.push_back(log10Cal(p.y));
        }
    }
    const CalibrationFit line = fitLine(xs, ys);
    CalibrationFit f = line;
    f.a = 0.0;
    f.b = line.valid ? std::pow(10.0, line.a) : 0.0;
    f.c = line.b;
    return f;
}

CalibrationFit quadraticFit(const std::vector<CalibrationPoint>& points) {
    CalibrationFit f;
    const size_t n = points.size();
    f.used = static_cast<int>(n);
    if (n < 3) {
        return f;
    }
    // Forsythe's recurrence on t = x - mean(x): p0 = 1, p1 = t, p2 = (t - alpha) p1 - beta p0,
    // with alpha = sum(t p1^2) / sum(p1^2) and beta = sum(p1^2) / sum(p0^2). Working on t keeps
    // the polynomials small when the volts sit far from zero.
    double mean = 0.0, yMean = 0.0;
    for (const CalibrationPoint& p : points) {
        mean += p.x;
        yMean += p.y;
    }
    mean /= static_cast<double>(n);
    yMean /= static_cast<double>(n);
    double s1 = 0.0, st1 = 0.0, t4 = 0.0, xx = 0.0;
    for (const CalibrationPoint& p : points) {
        const double t = p.x - mean;
        xx += p.x * p.x;
        s1 += t * t;
        st1 += t * t * t;
        t4 += t * t * t * t;
    }
    if (!(s1 > kSpreadFloor * xx)) {
        return f;
    }
    const double alpha = st1 / s1;
    const double beta = s1 / static_cast<double>(n);
    double s2 = 0.0, g0 = 0.0, g1 = 0.0, g2 = 0.0;
    for (const CalibrationPoint& p : points) {
        const double t = p.x - mean;
        const double p2 = (t - alpha) * t - beta;
        s2 += p2 * p2;
        g0 += p.y;
        g1 += p.y * t;
        g2 += p.y * p2;
    }
    // Two distinct x values leave p2 zero at every point (up to rounding): no curvature to fit.
    if (!(s2 > kSpreadFloor * t4)) {
        return f;
    }
    g0 /= static_cast<double>(n);
    g1 /= s1;
    g2 /= s2;
    // y = k0 + k1 t + k2 t^2 in t, then in x with t = x - mean.
    const double k0 = g0 - g2 * beta;
    const double k1 = g1 - g2 * alpha;
    const double k2 = g2;
    f.valid = true;
    f.c = k2;
    f.b = k1 - 2.0 * k2 * mean;
    f.a = k0 - k1 * mean + k2 * mean * mean;
    double ssr = 0.0, syy = 0.0;
    for (const CalibrationPoint& p : points) {
        const double t = p.x - mean;
        const double r = p.y - (k0 + t * (k1 + t * k2));
        ssr += r * r;
        syy += (p.y - yMean) * (p.y - yMean);
    }
    f.r2 = syy > 0.0 ? std::max(0.0, 1.0 - ssr / syy) : 1.0;
    return f;
}

CalibrationFit fitOfType(int type, const std::vector<CalibrationPoint>& points) {
    switch (type) {
        case kCalPower:
            return powerFit(points);
        case kCalQuadratic:
            return quadraticFit(points);
        default:
            return linearFit(points);
    }
}

double evaluateFit(int type, const CalibrationFit& fit, double x) {
    if (type == kCalPower) {
        return x > 0.0 ? fit.b * std::pow(x, fit.c) : 0.0;
    }
    return fit.a + x * (fit.b + x * fit.c);
}

std::vector<double> calibrationResiduals(int type, const CalibrationFit& fit,
                                         const std::vector<CalibrationPoint>& points) {
    std::vector<double> out;
    out.reserve(points.size());
    for (const CalibrationPoint& p : points) {
        if (!fit.valid || (type == kCalPower && (p.x <= 0.0 || p.y <= 0.0))) {
            out.push_back(0.0);
        } else {
            out.push_back(p.y - evaluateFit(type, fit, p.x));
        }
    }
    return out;
}

}  // namespace trindel
