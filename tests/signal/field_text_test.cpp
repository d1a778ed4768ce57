#include "text/field_text.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

TEST(FieldText, ReadsTheLeadingNumberOrZero) {
    EXPECT_DOUBLE_EQ(fieldValue("  +2.5 volts"), 2.5);
    EXPECT_DOUBLE_EQ(fieldValue("-3"), -3.0);
    EXPECT_DOUBLE_EQ(fieldValue("1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(fieldValue("off"), 0.0);
    EXPECT_DOUBLE_EQ(fieldValue(""), 0.0);
    EXPECT_DOUBLE_EQ(fieldValue("+"), 0.0);
}

TEST(FieldText, ShowsFloatsWithoutLeadingBlank) {
    EXPECT_EQ(fieldText(2.0f), "2");
    EXPECT_EQ(fieldText(1.2f), "1.2");
    EXPECT_EQ(fieldText(-0.25f), "-0.25");
    EXPECT_EQ(static_cast<float>(fieldValue(fieldText(1e-6f))), 1e-6f);  // read back exactly
    EXPECT_EQ(wholeNumberText(7), " 7");
    EXPECT_EQ(wholeNumberText(-7), "-7");
}

}  // namespace
}  // namespace trindel
