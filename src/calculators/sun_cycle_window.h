// The rules of the "Sun Cycle Calculator" and "Day of the Year" windows: position and date
// fields, the day of the year, the four result fields, daylight-saving time and the annual table.
#pragma once

#include <string>

#include "calculators/sun_cycle.h"
#include "calculators/world_map.h"
#include "state/program.h"

namespace trindel {

// Month, day and year fields with the day of the year they give.
struct DateFields {
    int month = 1;  // the month pop-up, 1 to 12
    std::string day = "1", year = "2000", dayOfYear = "1";

    // "MM/dd/yy" of the platform's date formatter; the year becomes "20" + yy.
    void setDate(const std::string& mmddyy);
    // Recomputes the day of the year into its field (when it differs) and returns it.
    int computeDayOfYear();
};

class SunCycleWindow {
  public:
    // Opens with today's date ("MM/dd/yy"); the position comes from the program's last one.
    SunCycleWindow(Program& p, const std::string& today);

    std::string latitude = "33.95", longitude = "117.33";
    bool north = true;
    DateFields date;
    bool daylightSaving = false;

    void setNorth(bool on);
    void setWest(bool on);
    bool west() const { return p_.calculators.westLongitude != 0; }
    void chooseMonth(int month);
    void dateEdited();  // Return in the day or year field
    void useToday(const std::string& today);
    void calculate();  // "Calculate"
    void toggleDaylightSaving();
    // "Annual Plot": reads the position, fills SunCycleArray; false (with `reason`) when the
    // position is out of range.
    bool annualPlot();
    // Takes a position picked on the world map into the fields and buttons.
    void takeMapPosition(const MapPosition& m);

    SunTexts results;
    std::string reason;  // why nothing was computed
    static const char* helpText();
    static const char* observatoryAddress();

  private:
    bool readPosition();

    Program& p_;
    bool resultStands_ = false;
};

}  // namespace trindel
