// Output units of the special operations and the saturation water-vapour factor of the water-loss
// operation.
#pragma once

namespace trindel {

// The multiplier of an output-unit code: 1 -> 1000, 3 -> 60, 4 -> 0.06, anything else 1.
float outputUnitFactor(float unitCode);

// The saturation water-vapour density factor at `temperatureC` (Goff-Gratch vapour pressure
// turned into a density), for the water-loss operation.
float saturationVapourFactor(float temperatureC);

}  // namespace trindel
