#include "xy_plot_window.h"

#include <QPainter>

#include "display/xy_plot.h"

namespace trindel::gui {

XYPlotView::XYPlotView(Program& p, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      canvas_(static_cast<int>(p.view.XY[kXYSize]), static_cast<int>(p.view.XY[kXYSize]) + 70) {
    setObjectName("xyPlotWindow");
    setWindowTitle(" Interchannel Regression ");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    const Rect r = xyPlotWindowRect(p);
    setFixedSize(canvas_.width(), canvas_.height());
    move(r.left, r.top);
    // Repaint the part the core drew (coalesced by the canvas).
    connect(&canvas_, &ImageCanvas::changed, this, [this](QRect dirty) { update(dirty); });
    RedrawXY(p, canvas_);
}

void XYPlotView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_.image());
}

}  // namespace trindel::gui
