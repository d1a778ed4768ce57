// The drawing surface of the recording window: lines, rectangles, text and scrolling.
#pragma once

#include <string_view>

#include "platform/rgb_color.h"

namespace trindel {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

enum class PenStyle { Solid, Dashed };

struct TextStyle {
    int pointSize = 10;
    bool bold = false;
    RGBColor color{};
};

class Canvas {
  public:
    virtual ~Canvas() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual void line(int x1, int y1, int x2, int y2, RGBColor color,
                      PenStyle style = PenStyle::Solid) = 0;
    virtual void fillRect(const Rect& r, RGBColor color) = 0;
    virtual void frameRect(const Rect& r, RGBColor color) = 0;
    // Text with its baseline at y, starting at x.
    virtual void text(int x, int y, std::string_view text, const TextStyle& style) = 0;
    // Moves the contents of r by (dx, dy); the uncovered part is filled with `fill`.
    virtual void scrollRect(const Rect& r, int dx, int dy, RGBColor fill) = 0;
    // Asks for the drawn contents to reach the screen (coalesced by the implementation).
    virtual void flush() = 0;
};

}  // namespace trindel
