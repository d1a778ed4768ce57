#include "calculators/sun_cycle_window.h"

#include <cmath>

#include "text/field_text.h"

namespace trindel {

void DateFields::setDate(const std::string& mmddyy) {
    if (mmddyy.size() < 8) {
        return;
    }
    month = static_cast<int>(fieldValue(mmddyy.substr(0, 2)));
    day = std::to_string(static_cast<int>(fieldValue(mmddyy.substr(3, 2))));
    year = "20" + mmddyy.substr(6, 2);
    computeDayOfYear();
}

int DateFields::computeDayOfYear() {
    const int d = trindel::computeDayOfYear(month, static_cast<int>(fieldValue(day)),
                                            static_cast<int>(fieldValue(year)));
    const std::string text = std::to_string(d);
    if (dayOfYear != text) {
        dayOfYear = text;
    }
    return d;
}

SunCycleWindow::SunCycleWindow(Program& p, const std::string& today) : p_(p) {
    p_.calculators.westLongitude = 1;
    north = true;
    p_.calculators.northLatitude = 1;
    date.setDate(today);
}

void SunCycleWindow::setNorth(bool on) {
    north = on;
    p_.calculators.northLatitude = on ? 1 : 0;
}

void SunCycleWindow::setWest(bool on) {
    p_.calculators.westLongitude = on ? 1 : 0;
}

void SunCycleWindow::chooseMonth(int month) {
    date.month = month;
    date.computeDayOfYear();
}

void SunCycleWindow::dateEdited() {
    date.computeDayOfYear();
}

void SunCycleWindow::useToday(const std::string& today) {
    date.setDate(today);
}

bool SunCycleWindow::readPosition() {
    const double lat = fieldValue(latitude);
    const double lon = fieldValue(longitude);
    if (!(lat >= 0.0 && lat <= 90.0) || !(lon >= 0.0 && lon <= 180.0)) {
        reason = "The latitude must be 0 to 90 and the longitude 0 to 180 degrees.";
        return false;
    }
    p_.calculators.latitude = static_cast<float>(north ? lat : -lat);
    p_.calculators.longitude = static_cast<float>(west() ? lon : -lon);
    return true;
}

void SunCycleWindow::calculate() {
    reason.clear();
    const double day = fieldValue(date.dayOfYear);
    if (!(day >= 1.0 && day <= 366.0)) {
        reason = "The day of the year must be 1 to 366.";
        return;
    }
    if (!readPosition()) {
        return;
    }
    const SunTimes t = SunriseCalc(static_cast<int>(day), p_.calculators.latitude,
                                   p_.calculators.longitude, daylightSaving);
    p_.calculators.JulianSunrise = t.sunrise;
    p_.calculators.JulianSunset = t.sunset;
    results = sunResultTexts(t, p_.calculators.latitude);
    resultStands_ = true;
}

void SunCycleWindow::toggleDaylightSaving() {
    daylightSaving = !daylightSaving;
    if (resultStands_) {
        calculate();
    }
}

bool SunCycleWindow::annualPlot() {
    reason.clear();
    if (!readPosition()) {
        return false;
    }
    fillSunCycleArray(p_.calculators.SunCycleArray, p_.calculators.latitude,
                      p_.calculators.longitude, daylightSaving);
    return true;
}

void SunCycleWindow::takeMapPosition(const MapPosition& m) {
    p_.calculators.latitude = m.signedLatitude();
    p_.calculators.longitude = m.signedLongitude();
    // The fields take the position as the map's read-outs showed it, to two places.
    latitude = fieldText(static_cast<float>(std::round(m.latitude * 100.0) / 100.0));
    longitude = fieldText(static_cast<float>(std::round(m.longitude * 100.0) / 100.0));
    results = SunTexts{};
    resultStands_ = false;
    setNorth(m.north);
    setWest(m.west);
}

const char* SunCycleWindow::helpText() {
    return "Approximate local solar times of sunrise and sunset (the sun's upper limb at "
           "\xE2\x88\x92"
           "0.83\xC2\xB0), day length and solar noon, from the mean anomaly, the "
           "equation of the centre and an obliquity of 23.45\xC2\xB0. At mid-latitudes the times "
           "lie within a few minutes of the NOAA equations. Times are local solar time: the "
           "longitude cancels out. \"Daylight Savings Time\" adds one hour.";
}

const char* SunCycleWindow::observatoryAddress() {
    return "https://aa.usno.navy.mil/data/RS_OneYear";
}

}  // namespace trindel
