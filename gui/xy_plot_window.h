// Window 22, " Interchannel Regression ": the XY plot beside the recording window, drawn through
// its own canvas by the XY plot code of the core.
#pragma once

#include <QWidget>

#include "qt_platform.h"
#include "state/program.h"

namespace trindel::gui {

class XYPlotView final : public QWidget {
    Q_OBJECT
  public:
    // Opens beside the recording window with the plot size held in the XY settings.
    XYPlotView(Program& p, QWidget* parent);
    ImageCanvas& canvas() { return canvas_; }
    const QImage& image() const { return canvas_.image(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ImageCanvas canvas_;
};

}  // namespace trindel::gui
