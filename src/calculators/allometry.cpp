#include "calculators/allometry.h"

#include <cmath>

namespace trindel {

namespace {

TaxonItem values(std::string text, float b, float a, float t) {
    return TaxonItem{TaxonItemKind::Values, std::move(text), TaxonValues{b, a, t}, 0};
}
TaxonItem group(std::string text, int menu) {
    return TaxonItem{TaxonItemKind::Group, std::move(text), {}, menu};
}
TaxonItem separator() {
    return TaxonItem{TaxonItemKind::Separator, "", {}, 0};
}
TaxonItem back() {
    return TaxonItem{TaxonItemKind::Return, "\xE2\x86\x90 Back to Taxon", {}, 0};
}

}  // namespace

const std::vector<TaxonItem>& taxonMenu(int menu) {
    static const std::vector<TaxonItem> kTaxon = {
        values("Ectotherm, general (20 \xC2\xB0"
               "C)",
               0.751f, 0.002647f, 20.0f),
        values("Endotherm, general (39 \xC2\xB0"
               "C)",
               0.751f, 0.014587f, 39.0f),
        separator(),
        group("Reptiles\xE2\x80\xA6", 56),
        group("Fishes (aquatic)\xE2\x80\xA6", 57),
        group("Other ectotherms\xE2\x80\xA6", 58),
        group("Birds\xE2\x80\xA6", 59),
        group("Mammals\xE2\x80\xA6", 60),
    };
    static const std::vector<TaxonItem> k56 = {
        values("Reptile fit 1 (b .825)", 0.825f, 0.002704f, 25.0f),
        values("Reptile fit 2 (b .816)", 0.816f, 0.0003283f, 25.0f),
        values("Reptile fit 3 (b .788)", 0.788f, 0.002647f, 25.0f),
        values("Reptile fit 4 (b .943)", 0.943f, 0.002716f, 25.0f),
        values("Reptile fit 5 (b .803)", 0.803f, 0.002176f, 25.0f),
        values("Reptile fit 6 (b .825, 23.5 \xC2\xB0"
               "C)",
               0.825f, 0.005f, 23.5f),
        separator(),
        back(),
    };
    static const std::vector<TaxonItem> k57 = {
        values("Fish fit 1 (b .8278)", 0.8278f, 0.002824f, 20.0f),
        values("Fish fit 2 (b .7225)", 0.7225f, 0.004791f, 20.0f),
        values("Fish fit 3 (b 1.02)", 1.02f, 0.0008136f, 20.0f),
        separator(),
        back(),
    };
    static const std::vector<TaxonItem> k58 = {
        values("Other ectotherms, 30 \xC2\xB0"
               "C",
               0.77f, 0.00463f, 30.0f),
        values("Other ectotherms, 20 \xC2\xB0"
               "C",
               0.77f, 0.003f, 20.0f),
        separator(),
        back(),
    };
    static const std::vector<TaxonItem> k59 = {
        values("Birds, all (b .67)", 0.67f, 0.081357f, 39.0f),
        values("Passerines (b .724)", 0.724f, 0.1245f, 39.0f),
        values("Non-passerines (b .723)", 0.723f, 0.07669f, 39.0f),
        values("Birds fit 4 (b .845)", 0.845f, 0.060667f, 39.0f),
        separator(),
        back(),
    };
    // The mammal pop-up has no return item in the table it comes from; one is added after a
    // separator so that it can be left like the others.
    static const std::vector<TaxonItem> k60 = {
        values("Eutherian mammals (37.5 \xC2\xB0"
               "C)",
               0.756f, 0.05373f, 37.5f),
        values("Marsupials (35 \xC2\xB0"
               "C)",
               0.737f, 0.04325f, 35.0f),
        values("Monotremes (31 \xC2\xB0"
               "C)",
               0.75f, 0.02962f, 31.0f),
        separator(),
        back(),
    };
    static const std::vector<TaxonItem> kEmpty;
    switch (menu) {
        case kTaxonMenu:
            return kTaxon;
        case 56:
            return k56;
        case 57:
            return k57;
        case 58:
            return k58;
        case 59:
            return k59;
        case 60:
            return k60;
        default:
            return kEmpty;
    }
}

const std::vector<std::string>& activityItems() {
    static const std::vector<std::string> kItems = {
        "Resting (\xC3\x97 1)",           "Quiet activity (\xC3\x97 3)",
        "Moderate activity (\xC3\x97 5)", "Sustained activity (\xC3\x97 10)",
        "Maximal aerobic (\xC3\x97 25)",  "Burst activity (\xC3\x97 100)",
    };
    return kItems;
}

int activityFactor(int item) {
    switch (item) {
        case 2:
            return 3;
        case 3:
            return 5;
        case 4:
            return 10;
        case 5:
            return 25;
        case 6:
            return 100;
        default:
            return 1;
    }
}

CalcResult metabolicRate(double coefficient, double massGrams, double exponent, double baseT,
                         double realT, double q10, int factor) {
    const double mr =
        coefficient * std::pow(massGrams, exponent) * std::pow(q10, (realT - baseT) * 0.1) * factor;
    return finiteOr(calcValue(mr), "The mass and Q10 must be above 0 for this exponent.");
}

double allowedOxygenChange(double percent, bool aquatic, double baseT, int salinity) {
    double d = percent * 0.01;
    if (aquatic) {
        d *= (std::exp(2.028544 - 0.037973 * baseT - 0.020751 * 0.4826 * salinity) + 2.793274) *
             0.001;
    }
    return d;
}

CalcResult minimumFlow(double metabolicRate, double allowedChange, bool litres) {
    if (allowedChange == 0.0) {
        return calcFailure("The allowed change in oxygen is 0.");
    }
    const double flow = metabolicRate / allowedChange;
    return finiteOr(calcValue(litres ? flow / 1000.0 : flow), "The inputs give no finite flow.");
}

}  // namespace trindel
