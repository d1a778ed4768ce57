#include "state/sample_store.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

TEST(SampleStore, GrowsInWhole4096ByteStepsZeroFilled) {
    SampleStore s;
    EXPECT_EQ(s.size(), 0);
    s.set(0, 1.5f);
    EXPECT_EQ(s.size(), 1024);
    s.set(1023, 2.0f);
    EXPECT_EQ(s.size(), 1024);
    s.set(1024, 3.0f);
    EXPECT_EQ(s.size(), 2048);
    EXPECT_EQ(s.get(1500), 0.0f);
    EXPECT_EQ(s.get(0), 1.5f);
    EXPECT_EQ(s.get(1023), 2.0f);
}

TEST(SampleStore, SlotIsChannelTimesStridePlusSampleAndReadsBeyondSizeAreZero) {
    SampleStore s;
    s.set(2, 5, 9.0f);
    EXPECT_EQ(s.get(2 * 2000002 + 5), 9.0f);
    EXPECT_EQ(s.get(3, 0), 0.0f);
    const int64_t sizeBefore = s.size();
    EXPECT_EQ(s.get(16, 1999999), 0.0f);
    EXPECT_EQ(s.size(), sizeBefore);  // reading never grows
}

TEST(SampleStore, NeverShrinksAndKeepsContents) {
    SampleStore s;
    s.set(5, 100, 4.0f);
    const int64_t big = s.size();
    s.set(1, 0, 1.0f);
    EXPECT_EQ(s.size(), big);
    EXPECT_EQ(s.get(5, 100), 4.0f);
}

TEST(SampleStore, RefusesNegativeAndOutOfRangeSlots) {
    SampleStore s;
    EXPECT_THROW(s.set(-1, 1.0f), std::out_of_range);
    EXPECT_THROW(s.get(-5), std::out_of_range);
    EXPECT_THROW(s.set(2147483647LL, 1.0f), std::out_of_range);
    EXPECT_THROW(s.set(17 * SampleStore::kRowStride, 1.0f), std::out_of_range);
    EXPECT_EQ(s.size(), 0);  // a refused write leaves the store as it was
    EXPECT_NO_THROW(s.set(16, 2000001, 1.0f));
}

TEST(SampleStore, RowGivesContiguousChannelData) {
    SampleStore s;
    for (int i = 0; i < 10; ++i) {
        s.set(3, i, static_cast<float>(i));
    }
    const float* r = s.row(3, 10);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r[9], 9.0f);
    EXPECT_EQ(s.row(4, 10), nullptr);
}

}  // namespace
}  // namespace trindel
