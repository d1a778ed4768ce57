#include "calculators/allometry.h"

#include <gtest/gtest.h>

#include "calculators/allometry_window.h"
#include "text/number_text.h"

namespace trindel {
namespace {

TEST(Allometry, KnownAnswers) {
    // Taxon 2 coefficient, 10 g, exponent .75, Tb = Tr, resting, 0.4 % change.
    const CalcResult mr = metabolicRate(0.014587, 10.0, 0.75, 20.0, 20.0, 2.5, 1);
    EXPECT_NEAR(mr.value, 0.0820287, 1e-7);
    const CalcResult flow = minimumFlow(mr.value, allowedOxygenChange(0.4, false, 20.0, 1), false);
    EXPECT_EQ(StringFormatter(flow.value), " 20.5072");
    EXPECT_NEAR(minimumFlow(mr.value, 0.004, true).value, 0.0205072, 1e-7);
    // Eutherian mammals and 1000 g.
    const TaxonValues& eutherian = taxonMenu(60)[0].values;
    const CalcResult big = metabolicRate(floatDecimal(eutherian.coefficient), 1000.0,
                                         floatDecimal(eutherian.exponent), 37.5, 37.5, 2.5, 1);
    EXPECT_NEAR(big.value, 9.959, 1e-3);
    EXPECT_NEAR(minimumFlow(big.value, 0.004, false).value, 2489.76, 1e-2);
    // Q10 and activity: 10 °C warmer at Q10 2.5 and sustained activity (× 10).
    EXPECT_NEAR(metabolicRate(0.014587, 10.0, 0.75, 20.0, 30.0, 2.5, activityFactor(4)).value,
                0.0820287 * 2.5 * 10, 1e-6);
}

TEST(Allometry, ActivityFactorsAndWater) {
    const int expected[] = {1, 1, 3, 5, 10, 25, 100, 1};
    for (int item = 0; item <= 7; ++item) {
        EXPECT_EQ(activityFactor(item), expected[item]) << item;
    }
    // Fresh water at 20 °C holds 6.3154 ml O2 per litre.
    EXPECT_NEAR(allowedOxygenChange(100.0, true, 20.0, 1), 0.0063154, 1e-7);
    EXPECT_LT(allowedOxygenChange(100.0, true, 20.0, 35),
              allowedOxygenChange(100.0, true, 20.0, 1));
}

TEST(Allometry, ZeroChangeOrNegativeMassGivesAReason) {
    EXPECT_FALSE(minimumFlow(0.08, 0.0, false).ok());
    EXPECT_FALSE(metabolicRate(0.014587, -10.0, 0.75, 20.0, 20.0, 2.5, 1).ok());
}

TEST(FlowRateWindow, OpensOnTheTypedCoefficient) {
    FlowRateWindow w;
    EXPECT_EQ(w.coefficient, "0.014587");
    EXPECT_EQ(w.metabolicRateText, "0.08202872911");
    EXPECT_EQ(w.minimumFlowText, "20.5072");
    w.setLitres(true);
    EXPECT_EQ(w.minimumFlowText, "0.02050718228");  // below 1: the full runtime form
}

TEST(FlowRateWindow, GroupsReplaceTheTaxonPopUpAndReturn) {
    FlowRateWindow w;
    w.chooseTaxon(8);  // mammals
    EXPECT_EQ(w.taxonMenu(), 60);
    EXPECT_EQ(w.taxonItem(), 1);
    EXPECT_EQ(w.exponent, "0.756");
    EXPECT_EQ(w.baseT, "37.5");
    EXPECT_EQ(w.coefficient, "0.05373");
    w.chooseTaxon(2);
    EXPECT_EQ(w.baseT, "35");
    w.chooseTaxon(4);  // the separator changes nothing
    EXPECT_EQ(w.taxonItem(), 2);
    w.chooseTaxon(5);  // return
    EXPECT_EQ(w.taxonMenu(), kTaxonMenu);
    EXPECT_EQ(w.coefficient, "0.002647");
    EXPECT_EQ(w.exponent, "0.751");
    EXPECT_EQ(w.realT, "20");
}

TEST(FlowRateWindow, AquaticGroupShowsWaterAndUsesSaturation) {
    FlowRateWindow w;
    w.chooseTaxon(5);  // fishes
    ASSERT_TRUE(w.aquatic());
    EXPECT_EQ(w.water(), WaterKind::Fresh);
    EXPECT_EQ(w.changeLabel(), "      saturation is ");
    const std::string fresh = w.minimumFlowText;
    w.chooseWater(WaterKind::Salt);
    EXPECT_NE(w.minimumFlowText, fresh);
    w.chooseTaxon(5);  // return
    EXPECT_FALSE(w.aquatic());
    EXPECT_EQ(w.changeLabel(), "concentration is");
}

TEST(FlowRateWindow, TypedCoefficientTakenOnCalculateAndActivity) {
    FlowRateWindow w;
    w.coefficient = "0.02";
    w.chooseActivity(2);
    EXPECT_EQ(w.coefficient, "0.02");
    EXPECT_NEAR(std::stod(w.metabolicRateText), 0.02 * 5.6234133 * 3, 1e-6);
    w.change = "0";
    w.calculate();
    EXPECT_EQ(w.minimumFlowText, kNoResultText);
    EXPECT_FALSE(w.reason.empty());
}

}  // namespace
}  // namespace trindel
