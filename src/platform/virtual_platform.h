// A platform on virtual time for tests and headless runs: the clock jumps straight to the next
// deadline or scripted event, events and host answers are scripted, the canvas records what was
// drawn and the sound player keeps a log.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace trindel {

class VirtualClock final : public Clock {
  public:
    double GetCurrentTimeInSeconds() override { return now_; }
    int32_t TickCount() override { return static_cast<int32_t>(now_ * 60.0); }
    void delayMilliseconds(int milliseconds) override { advanceTo(now_ + milliseconds / 1000.0); }
    bool waitUntil(double deadline) override;

    // Moves the clock forward (never back).
    void advanceTo(double seconds);
    void advanceBy(double seconds) { advanceTo(now_ + seconds); }
    // The time the next scripted event becomes pending, if any (set by VirtualEvents).
    void setNextEventTime(const std::function<double()>& nextEventTime) {
        nextEventTime_ = nextEventTime;
    }
    // Number of waits that ended because an event was pending.
    int wakeupsByEvent() const { return wakeupsByEvent_; }

  private:
    double now_ = 0.0;
    int wakeupsByEvent_ = 0;
    std::function<double()> nextEventTime_;
};

class VirtualEvents final : public Events {
  public:
    explicit VirtualEvents(VirtualClock& clock);

    // Schedules an event to become pending at `atSeconds` on the virtual clock.
    void schedule(double atSeconds, UserEvent event);
    void post(UserEvent event) { schedule(clock_.GetCurrentTimeInSeconds(), event); }
    // Holds or releases a key from `atSeconds` on.
    void setKeyDown(Key key, bool down) {
        if (down) {
            keysDown_.insert(key);
        } else {
            keysDown_.erase(key);
        }
    }
    void setFrontApplication(bool front) { front_ = front; }

    std::optional<UserEvent> nextEvent() override;
    bool hasPendingEvent() override;
    bool isKeyDown(Key key) override { return keysDown_.count(key) != 0; }
    bool isFrontApplication() override { return front_; }
    bool mouseButtonDown() override { return false; }
    Point mousePosition() override { return {}; }

    double nextEventTime() const;

  private:
    VirtualClock& clock_;
    std::multimap<double, UserEvent> scheduled_;
    std::set<Key> keysDown_;
    bool front_ = true;
};

class VirtualSounds final : public Sounds {
  public:
    void play(std::string_view name) override { log.emplace_back(name); }
    bool isPlaying() override { return false; }
    std::vector<std::string> log;
};

// One recorded drawing call.
struct CanvasOp {
    enum class Kind { Line, FillRect, FrameRect, Text, Scroll, Flush } kind;
    Rect rect;  // for lines: left/top = first point, right/bottom = second point
    RGBColor color;
    PenStyle style = PenStyle::Solid;
    std::string text;
};

class RecordingCanvas final : public Canvas {
  public:
    RecordingCanvas(int width = 1024, int height = 768) : width_(width), height_(height) {}
    int width() const override { return width_; }
    int height() const override { return height_; }
    void line(int x1, int y1, int x2, int y2, RGBColor color, PenStyle style) override;
    void fillRect(const Rect& r, RGBColor color) override;
    void frameRect(const Rect& r, RGBColor color) override;
    void text(int x, int y, std::string_view text, const TextStyle& style) override;
    void scrollRect(const Rect& r, int dx, int dy, RGBColor fill) override;
    void flush() override;

    // Keeps only the counts when false (long recordings draw millions of segments).
    bool keepOps = true;
    std::vector<CanvasOp> ops;
    std::map<CanvasOp::Kind, long> counts;

  private:
    void record(CanvasOp op);
    int width_, height_;
};

// Scripted answers for the host's windows; unanswered questions take the first button / cancel.
class VirtualHost final : public Host {
  public:
    int alert(const std::string& title, const std::string& message,
              const std::vector<std::string>& buttons) override;
    std::optional<std::string> askSaveFile(const std::string& prompt,
                                           const std::string& proposedName) override;
    std::optional<std::string> askOpenFile(const std::string& prompt) override;
    void showText(const std::string& title, const std::string& text,
                  const std::string& button) override;
    int screenWidth() override { return screen_width; }
    int screenHeight() override { return screen_height; }

    int screen_width = 1280;
    int screen_height = 1024;
    std::deque<int> alertAnswers;
    std::deque<std::optional<std::string>> fileAnswers;
    // What was shown, in order, as "title: message" lines.
    std::vector<std::string> shown;
};

// Everything together, wired to one virtual clock.
struct VirtualPlatform {
    VirtualPlatform();
    VirtualClock clock;
    VirtualEvents events{clock};
    VirtualSounds sounds;
    RecordingCanvas canvas;
    VirtualHost host;
    Platform platform() { return Platform{clock, events, sounds, canvas, host}; }
};

}  // namespace trindel
