#include "platform/virtual_platform.h"

#include <algorithm>
#include <limits>

namespace trindel {

void VirtualClock::advanceTo(double seconds) {
    now_ = std::max(now_, seconds);
}

bool VirtualClock::waitUntil(double deadline) {
    const double eventAt =
        nextEventTime_ ? nextEventTime_() : std::numeric_limits<double>::infinity();
    if (eventAt <= deadline) {
        advanceTo(eventAt);
        ++wakeupsByEvent_;
        return true;
    }
    advanceTo(deadline);
    return false;
}

VirtualEvents::VirtualEvents(VirtualClock& clock) : clock_(clock) {
    clock_.setNextEventTime([this] { return nextEventTime(); });
}

void VirtualEvents::schedule(double atSeconds, UserEvent event) {
    scheduled_.emplace(atSeconds, event);
}

double VirtualEvents::nextEventTime() const {
    return scheduled_.empty() ? std::numeric_limits<double>::infinity() : scheduled_.begin()->first;
}

bool VirtualEvents::hasPendingEvent() {
    return !scheduled_.empty() && scheduled_.begin()->first <= clock_.GetCurrentTimeInSeconds();
}

std::optional<UserEvent> VirtualEvents::nextEvent() {
    if (!hasPendingEvent()) {
        return std::nullopt;
    }
    UserEvent e = scheduled_.begin()->second;
    scheduled_.erase(scheduled_.begin());
    return e;
}

void RecordingCanvas::record(CanvasOp op) {
    ++counts[op.kind];
    if (keepOps) {
        ops.push_back(std::move(op));
    }
}

void RecordingCanvas::line(int x1, int y1, int x2, int y2, RGBColor color, PenStyle style) {
    record({CanvasOp::Kind::Line, Rect{x1, y1, x2, y2}, color, style, {}});
}

void RecordingCanvas::fillRect(const Rect& r, RGBColor color) {
    record({CanvasOp::Kind::FillRect, r, color, PenStyle::Solid, {}});
}

void RecordingCanvas::frameRect(const Rect& r, RGBColor color) {
    record({CanvasOp::Kind::FrameRect, r, color, PenStyle::Solid, {}});
}

void RecordingCanvas::text(int x, int y, std::string_view text, const TextStyle& style) {
    record(
        {CanvasOp::Kind::Text, Rect{x, y, x, y}, style.color, PenStyle::Solid, std::string(text)});
}

void RecordingCanvas::scrollRect(const Rect& r, int dx, int dy, RGBColor fill) {
    record({CanvasOp::Kind::Scroll, r, fill, PenStyle::Solid,
            std::to_string(dx) + "," + std::to_string(dy)});
}

void RecordingCanvas::flush() {
    record({CanvasOp::Kind::Flush, {}, {}, PenStyle::Solid, {}});
}

int VirtualHost::alert(const std::string& title, const std::string& message,
                       const std::vector<std::string>& buttons) {
    shown.push_back(title + ": " + message);
    if (alertAnswers.empty()) {
        return 0;
    }
    const int answer = alertAnswers.front();
    alertAnswers.pop_front();
    return std::clamp(answer, 0, std::max(0, static_cast<int>(buttons.size()) - 1));
}

std::optional<std::string> VirtualHost::askSaveFile(const std::string& prompt,
                                                    const std::string& proposedName) {
    shown.push_back(prompt + ": " + proposedName);
    if (fileAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

std::optional<std::string> VirtualHost::askOpenFile(const std::string& prompt) {
    return askSaveFile(prompt, "");
}

void VirtualHost::showText(const std::string& title, const std::string& text,
                           const std::string& button) {
    shown.push_back(title + ": " + text + " [" + button + "]");
}

VirtualPlatform::VirtualPlatform() = default;

}  // namespace trindel
