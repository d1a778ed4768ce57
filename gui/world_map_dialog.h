// The world map for picking a position: a latitude/longitude grid of our own drawing, read out
// live under the pointer, with a five-fold enlargement of a framed area.
#pragma once

#include <optional>

#include "calculators/world_map.h"

class QWidget;

namespace trindel::gui {

// The position clicked last, or nothing when none was picked.
std::optional<MapPosition> runWorldMapWindow(QWidget* parent);

}  // namespace trindel::gui
