// Picking a position on the world map: the map's pixels to latitude and longitude, on the whole
// map (3 pixels per degree of longitude, 4 per degree of latitude, below a 30-pixel band) and on
// its five-fold enlargement (15 pixels per degree both ways), and the read-out texts.
#pragma once

#include <string>

namespace trindel {

inline constexpr int kMapTop = 30;
inline constexpr int kMapWidth = 1080, kMapHeight = 720;

struct MapPosition {
    float latitude = 0.0f;   // magnitude, degrees
    float longitude = 0.0f;  // magnitude, degrees
    bool north = true;
    bool west = true;

    float signedLatitude() const { return north ? latitude : -latitude; }
    float signedLongitude() const { return west ? longitude : -longitude; }
};

// The pointer lies over the map (x 0 to 1081, y 30 to 750).
bool pointOnMap(int x, int y);

MapPosition wholeMapPosition(int x, int y);

// The offsets of an enlargement whose area's corner is at (cornerX, cornerY) on the whole map.
struct ZoomOffset {
    double x = 0.0, y = 0.0;
};
ZoomOffset zoomOffset(int cornerX, int cornerY);
MapPosition zoomedMapPosition(int x, int y, ZoomOffset offset);

// "117.33° W" ("###.##") and "33.95° N" ("##.##"), and the "Selected position:" text.
std::string mapLongitudeText(const MapPosition& p);
std::string mapLatitudeText(const MapPosition& p);
std::string selectedPositionText(const MapPosition& p);

}  // namespace trindel
