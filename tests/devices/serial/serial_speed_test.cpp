#include "devices/serial/serial_speed.h"

#include <gtest/gtest.h>

namespace trindel {
namespace {

TEST(SerialSpeed, LargestStandardRateNotAboveTheRequest) {
    const std::pair<int32_t, int32_t> cases[] = {
        {250000, 230400}, {100000, 76800}, {50, 110},    {115200, 115200},
        {115199, 76800},  {9600, 9600},    {4799, 2400}, {0, 110},
        {-5, 110},        {57600, 57600},  {135, 134},   {230400, 230400}};
    for (const auto& [request, speed] : cases) {
        EXPECT_EQ(standardSpeed(request), speed) << request;
    }
}

}  // namespace
}  // namespace trindel
