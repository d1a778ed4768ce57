#include "signal/calibration_fits.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace trindel {
namespace {

using Points = std::vector<CalibrationPoint>;

Points fromCurve(const std::vector<double>& xs, double (*f)(double)) {
    Points out;
    for (double x : xs) {
        out.push_back({f(x), x});
    }
    return out;
}

// The reference quadratic: the 3 x 3 normal equations in raw x, solved by Gaussian elimination
// with partial pivoting. Fine on well-conditioned data, which is where it is used.
std::array<double, 3> normalEquations(const Points& pts) {
    double m[3][4] = {};
    for (const CalibrationPoint& p : pts) {
        const double pw[3] = {1.0, p.x, p.x * p.x};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                m[r][c] += pw[r] * pw[c];
            }
            m[r][3] += pw[r] * p.y;
        }
    }
    for (int col = 0; col < 3; ++col) {
        int best = col;
        for (int r = col + 1; r < 3; ++r) {
            if (std::fabs(m[r][col]) > std::fabs(m[best][col])) {
                best = r;
            }
        }
        for (int c = 0; c < 4; ++c) {
            std::swap(m[col][c], m[best][c]);
        }
        for (int r = 0; r < 3; ++r) {
            if (r != col) {
                const double f = m[r][col] / m[col][col];
                for (int c = col; c < 4; ++c) {
                    m[r][c] -= f * m[col][c];
                }
            }
        }
    }
    return {m[0][3] / m[0][0], m[1][3] / m[1][1], m[2][3] / m[2][2]};
}

TEST(CalibrationFits, ExactLineGivesItsCoefficientsAndRSquaredOne) {
    const Points pts = {{0, 0}, {10, 1}, {20, 2}};
    const CalibrationFit f = linearFit(pts);
    ASSERT_TRUE(f.valid);
    EXPECT_NEAR(f.a, 0.0, 1e-12);
    EXPECT_NEAR(f.b, 10.0, 1e-12);
    EXPECT_DOUBLE_EQ(f.r2, 1.0);
    for (double r : calibrationResiduals(kCalLinear, f, pts)) {
        EXPECT_NEAR(r, 0.0, 1e-12);
    }
}

TEST(CalibrationFits, LinearRSquaredAndResidualsOnScatteredPoints) {
    const Points pts = {{2, 0}, {3, 1}, {6, 2}, {7, 3}};
    const CalibrationFit f = linearFit(pts);
    ASSERT_TRUE(f.valid);
    // Sxx = 5, Sxy = 9, Syy = 17: b = 1.8, a = 4.5 - 1.8*1.5, r2 = 81 / 85.
    EXPECT_NEAR(f.b, 1.8, 1e-12);
    EXPECT_NEAR(f.a, 1.8, 1e-12);
    EXPECT_NEAR(f.r2, 81.0 / 85.0, 1e-12);
    const auto res = calibrationResiduals(kCalLinear, f, pts);
    double sum = 0.0;
    for (size_t i = 0; i < pts.size(); ++i) {
        EXPECT_NEAR(res[i], pts[i].y - (f.a + f.b * pts[i].x), 1e-12);
        sum += res[i];
    }
    EXPECT_NEAR(sum, 0.0, 1e-12);
}

TEST(CalibrationFits, DegeneratePointsGiveNoFit) {
    const Points sameVolts = {{1, 2}, {5, 2}, {9, 2}};
    EXPECT_FALSE(linearFit(sameVolts).valid);
    EXPECT_FALSE(quadraticFit(sameVolts).valid);
    EXPECT_FALSE(quadraticFit({{1, 1}, {2, 2}, {3, 1}, {4, 2}}).valid);  // two distinct volts
    EXPECT_FALSE(powerFit({{1, 0}, {-2, 1}, {3, -1}}).valid);
    for (double r : calibrationResiduals(kCalLinear, CalibrationFit{}, sameVolts)) {
        EXPECT_EQ(r, 0.0);
    }
}

TEST(CalibrationFits, PowerFitIgnoresNonPositivePoints) {
    // y = 3 x^1.5 on positive points, plus points that would spoil it if used.
    Points pts = fromCurve({0.5, 1, 2, 4}, [](double x) { return 3.0 * std::pow(x, 1.5); });
    pts.push_back({7.0, 0.0});
    pts.push_back({-4.0, 2.0});
    const CalibrationFit f = powerFit(pts);
    ASSERT_TRUE(f.valid);
    EXPECT_EQ(f.used, 4);
    EXPECT_EQ(f.a, 0.0);
    // The logarithm's divisor is 2.3025851, not ln 10 exactly: the back-transform still recovers
    // the curve, since both logs use it.
    EXPECT_NEAR(f.b, 3.0, 1e-6);
    EXPECT_NEAR(f.c, 1.5, 1e-6);
    EXPECT_NEAR(f.r2, 1.0, 1e-12);
    const auto res = calibrationResiduals(kCalPower, f, pts);
    EXPECT_EQ(res[4], 0.0);
    EXPECT_EQ(res[5], 0.0);
    EXPECT_NEAR(res[3], 0.0, 1e-5);
    EXPECT_EQ(evaluateFit(kCalPower, f, 0.0), 0.0);
}

TEST(CalibrationFits, QuadraticMatchesNormalEquationsOnWellConditionedData) {
    const std::vector<Points> cases = {
        {{1.0, 0.0}, {2.9, 1.0}, {9.2, 2.0}, {18.8, 3.0}, {33.1, 4.0}},
        {{-3.0, -2.0}, {0.5, -1.0}, {1.0, 0.0}, {0.2, 1.0}, {-2.5, 2.0}, {-7.0, 3.0}},
        {{10.0, 0.1}, {12.5, 0.35}, {13.1, 0.6}, {16.0, 0.8}, {21.0, 1.2}, {22.0, 1.25}},
    };
    for (const Points& pts : cases) {
        const CalibrationFit f = quadraticFit(pts);
        ASSERT_TRUE(f.valid);
        const auto ref = normalEquations(pts);
        EXPECT_NEAR(f.a, ref[0], 1e-9);
        EXPECT_NEAR(f.b, ref[1], 1e-9);
        EXPECT_NEAR(f.c, ref[2], 1e-9);
        // r2 = 1 - SSR / Syy from the residuals.
        double ssr = 0.0, mean = 0.0, syy = 0.0;
        for (const auto& p : pts) {
            mean += p.y / static_cast<double>(pts.size());
        }
        const auto res = calibrationResiduals(kCalQuadratic, f, pts);
        for (size_t i = 0; i < pts.size(); ++i) {
            ssr += res[i] * res[i];
            syy += (pts[i].y - mean) * (pts[i].y - mean);
        }
        EXPECT_NEAR(f.r2, 1.0 - ssr / syy, 1e-9);
    }
}

TEST(CalibrationFits, QuadraticStaysStableNearOneThousandVolts) {
    // y = 2 + 3 (x - 1000) + 5e4 (x - 1000)^2 at x = 1000 +- 0.01: raw powers of x make the
    // normal equations singular in double precision; the orthogonal polynomials do not care.
    const auto curve = [](double x) {
        const double t = x - 1000.0;
        return 2.0 + 3.0 * t + 5e4 * t * t;
    };
    Points pts;
    for (int i = -5; i <= 5; ++i) {
        const double x = 1000.0 + 0.002 * i;
        pts.push_back({curve(x), x});
    }
    const CalibrationFit f = quadraticFit(pts);
    ASSERT_TRUE(f.valid);
    EXPECT_NEAR(f.c, 5e4, 1e-3);
    EXPECT_NEAR(f.r2, 1.0, 1e-9);
    for (const auto& p : pts) {
        EXPECT_NEAR(evaluateFit(kCalQuadratic, f, p.x), p.y, 1e-3);
    }
    // A noisy version: r2 stays within [0, 1] and the residuals sum to zero.
    Points noisy = pts;
    for (size_t i = 0; i < noisy.size(); ++i) {
        noisy[i].y += (i % 2 == 0 ? 0.01 : -0.01);
    }
    const CalibrationFit g = quadraticFit(noisy);
    ASSERT_TRUE(g.valid);
    EXPECT_GT(g.r2, 0.9);
    EXPECT_LE(g.r2, 1.0);
}

TEST(CalibrationFits, QuadraticRSquaredIsZeroOrOneAtTheEdges) {
    // All values equal: Syy = 0 gives 1.
    EXPECT_DOUBLE_EQ(quadraticFit({{4, 0}, {4, 1}, {4, 2}, {4, 3}}).r2, 1.0);
    // Exactly three points: the parabola passes through them.
    const CalibrationFit f = quadraticFit({{1, 0}, {0, 1}, {5, 3}});
    ASSERT_TRUE(f.valid);
    EXPECT_NEAR(f.r2, 1.0, 1e-12);
}

}  // namespace
}  // namespace trindel
