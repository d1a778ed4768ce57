// The rules of "Flow Rate Estimates for Open-circuit Respirometry": the taxon and group pop-ups,
// the activity factor, the water buttons of aquatic taxa and the two results.
#pragma once

#include <string>

#include "calculators/allometry.h"
#include "calculators/calc_result.h"

namespace trindel {

class FlowRateWindow {
  public:
    FlowRateWindow();

    std::string coefficient = ".014587", mass = "10", exponent = ".75", baseT = "20", realT = "20",
                q10 = "2.5", change = "0.4";
    bool litres = false;  // "L/min" instead of "ml/min"

    // The pop-up shown in the taxon place: kTaxonMenu or a group (56 to 60), and its selection.
    int taxonMenu() const { return menu_; }
    int taxonItem() const { return menuItem_; }
    int activityItem() const { return activity_; }
    // An aquatic group is chosen: the water buttons are shown and the label reads "saturation".
    bool aquatic() const { return fish_; }
    WaterKind water() const { return water_; }

    void chooseTaxon(int item);     // an item of the pop-up now shown
    void chooseActivity(int item);  // takes the typed coefficient
    void chooseWater(WaterKind kind);
    void setLitres(bool on);
    void calculate();  // "Calculate": takes the typed coefficient

    std::string metabolicRateText, minimumFlowText, reason;
    // "maximum change in oxygen concentration is" or, for an aquatic taxon, "saturation is".
    std::string changeLabel() const;
    static const char* helpText();

  private:
    void takeValues(const TaxonValues& v);
    void recompute();

    int menu_ = kTaxonMenu;
    int menuItem_ = 2;
    int activity_ = 1;
    float aval_ = 0.014587f;
    bool fish_ = false;
    WaterKind water_ = WaterKind::Fresh;
};

}  // namespace trindel
