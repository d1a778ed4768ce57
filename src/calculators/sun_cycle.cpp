#include "calculators/sun_cycle.h"

#include <cmath>
#include <cstdint>

#include "text/field_text.h"
#include "text/number_text.h"

namespace trindel {

namespace {

constexpr double kRadians = 0.017453292521666667;
constexpr double kDegrees = 57.295779507424825;

double sinDeg(double degrees) {
    return std::sin(degrees * kRadians);
}
double cosDeg(double degrees) {
    return std::cos(degrees * kRadians);
}

// Into 0 to 24 hours.
float wrapHours(float h) {
    if (h < 0.0f) {
        h += 24.0f;
    }
    if (h > 24.0f) {
        h -= 24.0f;
    }
    return h;
}

// Minutes in the sunrise and sunset texts: " 0" and the digit below 10, else the runtime form.
std::string clockMinutes(long long minutes) {
    if (minutes >= 0 && minutes < 10) {
        return " 0" + std::to_string(minutes);
    }
    return wholeNumberText(minutes);
}

struct HoursMinutes {
    long long hours, minutes;
};
HoursMinutes split(float hours) {
    const long long h = static_cast<long long>(std::trunc(hours));
    return {h, static_cast<long long>(std::trunc((hours - static_cast<float>(h)) * 60.0f))};
}

}  // namespace

int daysBeforeMonth(int month) {
    static constexpr int kDays[] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    return month >= 1 && month <= 12 ? kDays[month] : 0;
}

bool isLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int computeDayOfYear(int month, int day, int year) {
    int d = daysBeforeMonth(month) + day;
    if (isLeapYear(year) && month >= 3 && month <= 12) {
        ++d;
    }
    return d;
}

SunTimes SunriseCalc(int day, float latitude, float longitude, bool daylightSaving) {
    const double lon = longitude;
    const int16_t n = static_cast<int16_t>(day + 5110);
    const float j0 = static_cast<float>(n - lon / 360.0 + 0.5);
    const float j = static_cast<float>(j0 + lon / 360.0);
    const float m = static_cast<float>(std::fmod(j * 0.98560028 + 357.5291, 360.0));
    float c =
        static_cast<float>(1.9148 * sinDeg(m) + 0.02 * sinDeg(2.0 * m) + 0.0003 * sinDeg(3.0 * m));
    if (c > 360.0f) {
        c -= 360.0f;
    }
    if (c < 0.0f) {
        c += 360.0f;
    }
    const float lambda = static_cast<float>(std::fmod(c + m + 102.9372 + 180.0, 360.0));
    const float correction = static_cast<float>(0.0053 * sinDeg(m) - 0.0069 * sinDeg(2.0 * lambda));
    const float transit = j + correction;
    const float sinDelta = static_cast<float>(sinDeg(lambda) * std::sin(0.4092797096330833));
    const float delta = static_cast<float>(std::asin(sinDelta) * kDegrees);
    const float cosOmega =
        static_cast<float>((std::sin(-0.014486232792983333) - sinDeg(latitude) * sinDeg(delta)) /
                           (cosDeg(latitude) * cosDeg(delta)));

    SunTimes t;
    if (!(cosOmega >= -1.0f && cosOmega <= 1.0f)) {
        // The sun stays above the horizon when the hour angle's cosine is below -1, below it
        // when above 1. A value that is no number at all (the pole itself) falls back on the
        // season: days 78 to 268 are the northern summer.
        bool sunlit = cosOmega < -1.0f;
        if (std::isnan(cosOmega)) {
            const bool northernSummer = day >= 78 && day <= 268;
            sunlit = latitude > 0.0f ? northernSummer : !northernSummer;
        }
        t.polar = sunlit ? PolarDay::Sunlight : PolarDay::Darkness;
        t.dayLength = sunlit ? 24.0f : 0.0f;
        return t;
    }
    const float omega = static_cast<float>(std::acos(cosOmega) * kDegrees);
    const float set = static_cast<float>(j0 + (omega + lon) / 360.0 + correction);
    const float rise = transit - (set - transit);
    const float dst = daylightSaving ? 1.0f : 0.0f;
    t.sunset = wrapHours((set - std::round(set)) * 24.0f + dst);
    t.sunrise = wrapHours((rise - std::round(rise)) * 24.0f + dst);
    t.dayLength = t.sunrise > t.sunset ? 24.0f - (t.sunrise - t.sunset) : t.sunset - t.sunrise;
    // Noon lies half the day after sunrise, also when the sunset falls after midnight.
    float noon = t.sunrise + t.dayLength * 0.5f;
    if (noon >= 24.0f) {
        noon -= 24.0f;
    }
    t.solarNoonMinutes = noon * 60.0f;
    return t;
}

SunTexts sunResultTexts(const SunTimes& t, float latitude) {
    SunTexts out;
    if (t.polar != PolarDay::None) {
        const bool arctic = latitude > 0.0f;
        const bool sunlit = t.polar == PolarDay::Sunlight;
        out.sunset = std::string(sunlit ? "24-hour sunlight " : "24-hour darkness ") +
                     (arctic ? (sunlit ? "(Arctic summer)" : "(Arctic winter)")
                             : (sunlit ? "(Antarctic summer)" : "(Antarctic winter)"));
    } else {
        const HoursMinutes rise = split(t.sunrise);
        const HoursMinutes set = split(t.sunset);
        out.sunrise = "Approximate local sunrise time:  " + wholeNumberText(rise.hours) + " :" +
                      clockMinutes(rise.minutes);
        out.sunset = "Approximate local sunset time:  " + wholeNumberText(set.hours) + " :" +
                     clockMinutes(set.minutes);
        if (t.solarNoonMinutes > 0.0f) {
            const long long h = static_cast<long long>(std::trunc(t.solarNoonMinutes / 60.0f));
            const long long m = static_cast<long long>(
                std::trunc(t.solarNoonMinutes - 60.0f * static_cast<float>(h)));
            out.solarNoon = "Solar noon ~ " + wholeNumberText(h) + " :" + wholeNumberText(m);
        }
    }
    const HoursMinutes len = split(t.dayLength);
    out.dayLength = len.hours == 0 && len.minutes == 0
                        ? " "
                        : wholeNumberText(len.hours) + " hours," + wholeNumberText(len.minutes) +
                              " minutes of daylight";
    return out;
}

std::string clockText(float hours) {
    const HoursMinutes t = split(hours);
    return std::to_string(t.hours) + (t.minutes < 10 ? ":0" : ":") + std::to_string(t.minutes);
}

void fillSunCycleArray(std::array<SunCycleRow, 367>& rows, float latitude, float longitude,
                       bool daylightSaving) {
    for (int day = 1; day <= 365; ++day) {
        const SunTimes t = SunriseCalc(day, latitude, longitude, daylightSaving);
        SunCycleRow& row = rows[static_cast<std::size_t>(day)];
        row.dayLength = t.dayLength;
        row.sunrise = t.sunrise;
        row.sunset = t.sunset;
        if (t.polar == PolarDay::Sunlight) {
            row.sunrise = 0.0f;
            row.sunset = 24.0f;
        } else if (t.polar == PolarDay::Darkness) {
            row.sunrise = 24.0f;
            row.sunset = 0.0f;
        }
    }
}

std::string sunPlotTitle(float latitude, float longitude) {
    return "Annual sun cycle for " + floatText(std::fabs(latitude)) + "\xC2\xB0 " +
           (latitude >= 0.0f ? "N, " : "S;  ") + floatText(std::fabs(longitude)) + "\xC2\xB0 " +
           (longitude >= 0.0f ? "W" : "E");
}

std::string sunCycleSpreadsheet(const std::array<SunCycleRow, 367>& rows, float latitude,
                                float longitude) {
    std::string out = "Annual sun cycle at " + floatText(std::fabs(latitude)) +
                      (latitude >= 0.0f ? " degrees N, " : " degrees S, ") +
                      floatText(std::fabs(longitude)) +
                      (longitude >= 0.0f ? " degrees W" : " degrees E") + "\r";
    out += "Julian date\tSunrise time\tSunset time\tHours of daylight\r";
    for (int day = 1; day <= 365; ++day) {
        const SunCycleRow& r = rows[static_cast<std::size_t>(day)];
        out += wholeNumberText(day) + "\t" + floatText(r.sunrise) + "\t" + floatText(r.sunset) +
               "\t" + floatText(r.dayLength) + "\r";
    }
    return out;
}

}  // namespace trindel
