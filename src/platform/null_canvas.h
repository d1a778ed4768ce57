// A canvas that draws nothing: headless runs and benchmarks only need its size.
#pragma once

#include "platform/canvas.h"

namespace trindel {

class NullCanvas final : public Canvas {
  public:
    NullCanvas(int width = 1024, int height = 768) : width_(width), height_(height) {}
    int width() const override { return width_; }
    int height() const override { return height_; }
    void line(int, int, int, int, RGBColor, PenStyle) override {}
    void fillRect(const Rect&, RGBColor) override {}
    void frameRect(const Rect&, RGBColor) override {}
    void text(int, int, std::string_view, const TextStyle&) override {}
    void scrollRect(const Rect&, int, int, RGBColor) override {}
    void flush() override {}

  private:
    int width_, height_;
};

}  // namespace trindel
