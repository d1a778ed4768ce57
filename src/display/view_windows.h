// The rules of the View menu's windows: "Chart Display Conditions" (chart view, scrolling,
// tick unit), the recording window sizes, "Adjust Chart Height" and "Select Chart and Scope
// Colors". The Qt windows only bind widgets to these.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/rgb_color.h"
#include "state/program.h"

namespace trindel {

// ---- "Chart Display Conditions" (SETCHARTVIEW) ----
inline constexpr std::array<float, 6> kChartViews{1.0f, 2.0f, 2.5f, 4.0f, 5.0f, 10.0f};
inline constexpr std::array<const char*, 4> kScrollChoices{"100% (default)", "50%", "67%", "75%"};

class ChartViewModel {
  public:
    // Recomputes the ticks; a view wider than the recording falls back to 1 and a stored
    // scrolling choice outside 0..3 to 0.
    explicit ChartViewModel(Program& p);

    // A view is offered when one screen of it holds no more than the recording.
    bool viewOffered(float view) const;
    float view() const { return p_.session.ChartView; }
    // Choosing an offered view; false (nothing changes) for any other value.
    bool chooseView(float view);

    // The scrolling choices are offered when the recording is longer than one screen.
    bool scrollingOffered() const;
    int scrolling() const { return p_.prefs[kPrefChartViewStyle]; }
    void chooseScrolling(int choice);

    std::string compressionText() const;     // "2.5x"
    std::string screenDurationText() const;  // "51.2 sec", "17.1 min", "2.84 hr"
    std::string totalScreensText() const;    // "3", "2.93", "146.5"

    // "Default Tic Unit:" or "Custom Tic Unit:", the unit ("seconds", "minutes", "hours") and
    // the tick interval now in that unit.
    std::string ticCaption() const;
    std::string ticUnit() const;
    double ticValue() const;

    // "Done": a typed tick interval (in ticUnit) becomes CustomTic, the multiple of the default
    // tick; the default value itself clears it. Text that is no positive number is refused
    // (false) and the custom tick stays as it was.
    bool done(const std::string& typedTic);

    // Rows (80..129) of the test plot's 200 x view random points, drawn at 1/view pixel apart.
    std::vector<std::pair<float, int>> testPlot(unsigned seed) const;

  private:
    double defaultTicInUnit() const;
    Program& p_;
};

// ---- "Recording Window Size" (submenu 101) ----
// Items 3 to 6: the fixed sizes; nothing for other items.
std::optional<std::pair<int, int>> fixedWindowSize(int item);
// A fixed size is offered only when the screen is at least that wide.
bool windowSizeFits(int item, int screenWidth);
// Items 3 to 7 ("Fill Screen": screen - 30 by screen - 47): the window size preferences, the
// scope sweep at least as wide as the window, and the bands rescaled from the previous height.
// False for any other item.
bool chooseWindowSize(Program& p, int item, int screenWidth, int screenHeight);

// " Acquisition Window Example " (ChartWindowSize): while dragging, the size is the inner size
// + 14 (at least 640 x 400); finishing lays the bands out for it and fits the height to them.
class WindowSizeDrag {
  public:
    explicit WindowSizeDrag(Program& p) : p_(p), oldHeight_(p.prefs[kPrefWindowHeight]) {}
    void dragTo(int innerWidth, int innerHeight);
    int width() const { return p_.prefs[kPrefWindowWidth]; }
    int height() const { return p_.prefs[kPrefWindowHeight]; }
    void finish();
    // The outlines shown: "640 X 400 (minimum)", "800 X 600", 1000 x 700 .. 2200 x 1300.
    static std::vector<std::pair<int, int>> outlines();

  private:
    Program& p_;
    int oldHeight_;
};

// ---- "Adjust Chart Height" (ChangeCHARTHITE) ----
class PlotHeightModel {
  public:
    explicit PlotHeightModel(Program& p);
    // The channel whose lower boundary is placed next (1 .. nChan - 1); 0 when all are placed.
    int placing() const { return placing_; }
    bool finished() const { return placing_ == 0; }
    // The rows the guide line may take for the channel being placed.
    std::pair<int, int> allowedRows() const;
    // A click at row y (limited to the allowed rows) places the boundary; after the last one
    // the last channel takes the rest down to the old last bottom.
    void place(int y);
    void doAgain();       // "Do Again"
    void normalValues();  // "Use Normal Values"
    void cancel();        // "Cancel": the bands as they were
    // Top and bottom row of a band as it stands.
    std::pair<int, int> band(int channel) const;

  private:
    using Rows = std::array<std::array<float, 5>, kMaxChannels + 1>;  // elements 8..12
    void restore();
    Program& p_;
    Rows saved_{};
    int lastBottom_ = 0;
    int placing_ = 0;
};

// ---- "Select Chart and Scope Colors" (SETCOLORS) ----
enum class ColourButton {
    Frame,
    ChartBackground,
    DataLine,
    Markers,
    ScopeFrame,
    ScopeData,
    ScopeBackground
};
struct ColourButtonInfo {
    ColourButton button;
    const char* text;
    const char* prompt;
};
const std::vector<ColourButtonInfo>& colourButtons();
// The colour a button sets; the scope background is the high-speed one while
// "High-Speed Scope Colors" is chosen.
RGBColor& colourOf(Colours& c, ColourButton b, bool highSpeedScope);
// The eight colours the window and the preferences file carry, in the file's order.
void copyChartColours(Colours& to, const Colours& from);

}  // namespace trindel
