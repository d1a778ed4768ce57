// The min-max envelope against a brute-force pass over every sample.
#include "display/min_max_envelope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <random>

namespace trindel {
namespace {

// Brute force: every sample k goes to column trunc(k x step).
std::map<int64_t, std::pair<float, float>> bruteForce(const std::vector<float>& v, double step) {
    std::map<int64_t, std::pair<float, float>> cols;
    for (size_t i = 0; i < v.size(); ++i) {
        if (!std::isfinite(v[i])) {
            continue;
        }
        const auto x = static_cast<int64_t>(static_cast<double>(i + 1) * step);
        auto [it, fresh] = cols.try_emplace(x, v[i], v[i]);
        if (!fresh) {
            it->second.first = std::min(it->second.first, v[i]);
            it->second.second = std::max(it->second.second, v[i]);
        }
    }
    return cols;
}

TEST(MinMaxEnvelope, EqualsBruteForceOnRandomDataWithSpikes) {
    std::mt19937 rng(1234);
    std::normal_distribution<float> noise(0.0f, 1.0f);
    struct Case {
        int64_t n;
        int width;
    };
    for (const Case c : {Case{100000, 1024}, Case{99991, 1000}, Case{3000, 1024}, Case{1024, 1024},
                         Case{700, 1024}, Case{1, 1024}, Case{2000000, 1024}}) {
        std::vector<float> v(static_cast<size_t>(c.n));
        for (float& x : v) {
            x = noise(rng);
        }
        // Single-sample spikes, one up and one down, at random places.
        std::uniform_int_distribution<int64_t> where(0, c.n - 1);
        std::vector<size_t> spikes;
        for (int s = 0; s < 20; ++s) {
            const auto at = static_cast<size_t>(where(rng));
            v[at] = s % 2 == 0 ? 1000.0f + static_cast<float>(s) : -1000.0f - static_cast<float>(s);
            spikes.push_back(at);
        }
        const double step = static_cast<double>(c.width) / static_cast<double>(c.n);
        const auto env = minMaxEnvelope(v, step);
        const auto expected = bruteForce(v, step);
        SCOPED_TRACE(c.n);
        ASSERT_EQ(static_cast<int64_t>(env.size()), static_cast<int64_t>(c.n * step) + 1);
        int64_t total = 0;
        for (size_t x = 0; x < env.size(); ++x) {
            const auto it = expected.find(static_cast<int64_t>(x));
            if (it == expected.end()) {
                EXPECT_FALSE(env[x].finite) << x;
                EXPECT_EQ(env[x].count, 0) << x;
                continue;
            }
            EXPECT_EQ(env[x].min, it->second.first) << x;
            EXPECT_EQ(env[x].max, it->second.second) << x;
            total += env[x].count;
        }
        EXPECT_EQ(total, c.n);
        // Every spike is the extreme of its column.
        for (size_t at : spikes) {
            const auto x = static_cast<size_t>(static_cast<double>(at + 1) * step);
            const float s = v[at];
            EXPECT_TRUE(s > 0 ? env[x].max >= s : env[x].min <= s) << at;
        }
    }
}

TEST(MinMaxEnvelope, FirstAndLastJoinNeighbouringColumns) {
    const std::vector<float> v = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const auto env = minMaxEnvelope(v, 1.0 / 3.0);  // columns of k = 1-2, 3-5, 6-8, 9
    ASSERT_EQ(env.size(), 4u);
    EXPECT_EQ(env[0], (EnvelopeColumn{1, 2, 1, 2, 2, true}));
    EXPECT_EQ(env[1], (EnvelopeColumn{3, 5, 3, 5, 3, true}));
    EXPECT_EQ(env[2], (EnvelopeColumn{6, 8, 6, 8, 3, true}));
    EXPECT_EQ(env[3], (EnvelopeColumn{9, 9, 9, 9, 1, true}));
}

TEST(MinMaxEnvelope, NonFiniteSamplesAreLeftOut) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<float> v = {nan, 3, -inf, -2, nan, nan};
    const auto env = minMaxEnvelope(v, 0.5);  // columns: k1 -> 0, k2-3 -> 1, k4-5 -> 2, k6 -> 3
    ASSERT_EQ(env.size(), 4u);
    EXPECT_FALSE(env[0].finite);
    EXPECT_TRUE(env[1].finite);
    EXPECT_EQ(env[1].min, 3.0f);
    EXPECT_EQ(env[1].max, 3.0f);
    EXPECT_TRUE(env[2].finite);
    EXPECT_EQ(env[2].min, -2.0f);
    EXPECT_EQ(env[2].max, -2.0f);
    EXPECT_EQ(env[2].count, 2);
    EXPECT_FALSE(env[3].finite);
}

TEST(MinMaxEnvelope, BadStepOrNoSamplesGiveNothing) {
    const std::vector<float> v = {1, 2};
    EXPECT_TRUE(minMaxEnvelope(v, 0.0).empty());
    EXPECT_TRUE(minMaxEnvelope(v, -1.0).empty());
    EXPECT_TRUE(minMaxEnvelope(v, std::numeric_limits<double>::infinity()).empty());
    EXPECT_TRUE(minMaxEnvelope(std::vector<float>{}, 1.0).empty());
}

}  // namespace
}  // namespace trindel
