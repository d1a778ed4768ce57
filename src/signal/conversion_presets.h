// The stored conversions the program starts with: eight linear or quadratic sensor conversions
// and one three-way polynomial, with their button and channel labels.
#pragma once

#include "state/conversion_tables.h"

namespace trindel {

// Fills rows 3..10 and elements 100..107 of the stored conversions and their labels.
void fillConversionPresets(ConversionTables& t);

}  // namespace trindel
