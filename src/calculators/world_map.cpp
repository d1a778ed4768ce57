#include "calculators/world_map.h"

#include <cmath>

#include "text/number_text.h"

namespace trindel {

bool pointOnMap(int x, int y) {
    return x >= 0 && x <= 1081 && y >= kMapTop && y <= 750;
}

MapPosition wholeMapPosition(int x, int y) {
    MapPosition p;
    p.longitude = static_cast<float>(std::fabs(180.0 - x / 3.0));
    p.latitude = static_cast<float>(std::fabs(90.0 - (y - kMapTop) / 4.0));
    p.west = x < 541;
    p.north = y - kMapTop < 361;
    return p;
}

ZoomOffset zoomOffset(int cornerX, int cornerY) {
    return ZoomOffset{-5.0 * cornerX, -3.75 * (cornerY - kMapTop)};
}

MapPosition zoomedMapPosition(int x, int y, ZoomOffset offset) {
    MapPosition p;
    const double mapX = x - offset.x;
    const double mapY = y - offset.y - kMapTop;
    double lon = std::fabs(180.0 - mapX / 15.0);
    p.west = mapX < 2700;
    if (lon > 180.0) {
        lon = 180.0 - std::fabs(180.0 - lon);
        p.west = true;
    }
    p.longitude = static_cast<float>(lon);
    p.latitude = static_cast<float>(std::fabs(90.0 - mapY / 15.0));
    p.north = mapY < 1351;
    return p;
}

std::string mapLongitudeText(const MapPosition& p) {
    return pictureText(p.longitude, "###.##") + (p.west ? "\xC2\xB0 W" : "\xC2\xB0 E");
}

std::string mapLatitudeText(const MapPosition& p) {
    return pictureText(p.latitude, "##.##") + (p.north ? "\xC2\xB0 N" : "\xC2\xB0 S");
}

std::string selectedPositionText(const MapPosition& p) {
    return "  " + mapLatitudeText(p) + ", " + mapLongitudeText(p);
}

}  // namespace trindel
