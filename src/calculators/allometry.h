// Metabolic rate from body mass by allometry, and the minimum flow rate an open-circuit
// respirometer needs for it: the taxon tables, the activity factors and the two formulas.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calculators/calc_result.h"

namespace trindel {

// Pop-up numbers: the "Taxon" pop-up and its five group pop-ups.
inline constexpr int kTaxonMenu = 0;
inline constexpr int kGroupMenuFirst = 56;
inline constexpr int kGroupMenuLast = 60;
inline constexpr int kAquaticGroup = 57;

struct TaxonValues {
    float exponent;     // b
    float coefficient;  // a, ml O2/min per g^b
    float temperature;  // Tb and Tr, °C
};

enum class TaxonItemKind { Values, Group, Return, Separator };

struct TaxonItem {
    TaxonItemKind kind;
    std::string text;
    TaxonValues values{};  // for Values
    int group = 0;         // for Group: the pop-up it opens
};

// The items of a pop-up (kTaxonMenu or a group), item 1 first.
const std::vector<TaxonItem>& taxonMenu(int menu);

// The items of the "Activity" pop-up and the factor of an item (1 for any item not listed).
const std::vector<std::string>& activityItems();
int activityFactor(int item);

// Salinity in parts per thousand of the water buttons.
enum class WaterKind { Fresh = 1, Brackish = 15, Salt = 35 };

// MR = a × M^b × Q10^((Tr − Tb) × 0.1) × activity factor, ml O2/min.
CalcResult metabolicRate(double coefficient, double massGrams, double exponent, double baseT,
                         double realT, double q10, int activityFactor);

// The fraction d that the oxygen concentration may change by: D × 0.01 in air; in water the
// change in oxygen content, D × 0.01 × (oxygen solubility at Tb and salinity) × 0.001.
double allowedOxygenChange(double percent, bool aquatic, double baseT, int salinity);

// Minimum flow = MR / d, ml/min (÷ 1000 for L/min).
CalcResult minimumFlow(double metabolicRate, double allowedChange, bool litres);

}  // namespace trindel
