#include "world_map_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

#include "calculator_windows.h"
#include "key_dialog.h"

namespace trindel::gui {

namespace {

constexpr int kFrameWidth = kMapWidth / 5, kFrameHeight = kMapHeight / 5;

// Draws the map and turns pointer positions into map positions. The map occupies y 30 to 750;
// the band above it is left to the read-outs of the window.
class MapView final : public QWidget {
  public:
    explicit MapView(QWidget* parent) : QWidget(parent) {
        setFixedSize(kMapWidth + 1, kMapTop + kMapHeight + 1);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
    }

    std::function<void(const MapPosition&)> onHover, onPick;
    std::function<void()> onFramed;

    bool zoomed() const { return zoomed_; }
    bool framing() const { return framing_; }
    void startFraming() {
        framing_ = true;
        update();
    }
    void cancelFraming() {
        framing_ = false;
        update();
    }
    void zoomToFrame() {
        offset_ = zoomOffset(frameCorner_.x(), frameCorner_.y());
        zoomed_ = true;
        framing_ = false;
        update();
    }
    void zoomOut() {
        zoomed_ = false;
        framing_ = false;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter g(this);
        g.fillRect(rect(), palette().window());
        const QRect map(0, kMapTop, kMapWidth, kMapHeight);
        g.fillRect(map, QColor(198, 224, 245));
        g.setClipRect(map);
        const int step = zoomed_ ? 1 : 10;
        const int labelStep = zoomed_ ? 5 : 30;
        QFont small = font();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        g.setFont(small);
        for (int lon = -180; lon <= 180; lon += step) {
            const double x = xOf(lon);
            if (x < -1 || x > kMapWidth + 1) {
                continue;
            }
            const bool major = lon % labelStep == 0;
            g.setPen(QPen(lon == 0 ? QColor(20, 60, 120) : QColor(70, 110, 160, major ? 200 : 90),
                          major ? 1.0 : 0.5));
            g.drawLine(QPointF(x, kMapTop), QPointF(x, kMapTop + kMapHeight));
            if (major && std::abs(lon) != 180) {
                g.drawText(QPointF(x + 2, kMapTop + kMapHeight - 4), QString("%1%2")
                                                                         .arg(std::abs(lon))
                                                                         .arg(lon < 0   ? "W"
                                                                              : lon > 0 ? "E"
                                                                                        : ""));
            }
        }
        for (int lat = -90; lat <= 90; lat += step) {
            const double y = yOf(lat);
            if (y < kMapTop - 1 || y > kMapTop + kMapHeight + 1) {
                continue;
            }
            const bool major = lat % labelStep == 0;
            g.setPen(QPen(lat == 0 ? QColor(20, 60, 120) : QColor(70, 110, 160, major ? 200 : 90),
                          major ? 1.0 : 0.5));
            g.drawLine(QPointF(0, y), QPointF(kMapWidth, y));
            if (major && std::abs(lat) != 90) {
                g.drawText(QPointF(4, y - 3), QString("%1%2")
                                                  .arg(std::abs(lat))
                                                  .arg(lat < 0   ? "S"
                                                       : lat > 0 ? "N"
                                                                 : ""));
            }
        }
        // The tropics and the polar circles, dashed.
        g.setPen(QPen(QColor(160, 90, 40), 1.0, Qt::DashLine));
        for (double lat : {23.44, -23.44, 66.56, -66.56}) {
            g.drawLine(QPointF(0, yOf(lat)), QPointF(kMapWidth, yOf(lat)));
        }
        if (picked_) {
            const double px = xOf(picked_->signedLongitude() * -1.0);
            const double py = yOf(picked_->signedLatitude());
            g.setPen(QPen(Qt::red, 2));
            g.drawLine(QPointF(px - 6, py), QPointF(px + 6, py));
            g.drawLine(QPointF(px, py - 6), QPointF(px, py + 6));
        }
        if (framing_) {
            g.setPen(QPen(Qt::black, 1, Qt::DashLine));
            g.drawRect(QRect(frameCorner_, QSize(kFrameWidth, kFrameHeight)));
        }
        g.setClipping(false);
        g.setPen(Qt::black);
        g.drawRect(map);
    }

    void mouseMoveEvent(QMouseEvent* e) override {
        const QPoint pt = e->position().toPoint();
        if (framing_) {
            frameCorner_ = QPoint(std::clamp(pt.x() - kFrameWidth / 2, 0, kMapWidth - kFrameWidth),
                                  std::clamp(pt.y() - kFrameHeight / 2, kMapTop,
                                             kMapTop + kMapHeight - kFrameHeight));
            update();
            return;
        }
        if (pointOnMap(pt.x(), pt.y()) && onHover) {
            onHover(positionAt(pt));
        }
    }

    void mousePressEvent(QMouseEvent* e) override {
        const QPoint pt = e->position().toPoint();
        if (framing_) {
            zoomToFrame();
            if (onFramed) {
                onFramed();
            }
            return;
        }
        if (!pointOnMap(pt.x(), pt.y())) {
            return;
        }
        picked_ = positionAt(pt);
        update();
        if (onPick) {
            onPick(*picked_);
        }
    }

  private:
    MapPosition positionAt(QPoint pt) const {
        return zoomed_ ? zoomedMapPosition(pt.x(), pt.y(), offset_)
                       : wholeMapPosition(pt.x(), pt.y());
    }
    // East-positive longitude and north-positive latitude to window pixels.
    double xOf(double east) const {
        return zoomed_ ? (east + 180.0) * 15.0 + offset_.x : (east + 180.0) * 3.0;
    }
    double yOf(double north) const {
        return zoomed_ ? (90.0 - north) * 15.0 + offset_.y + kMapTop
                       : (90.0 - north) * 4.0 + kMapTop;
    }

    bool zoomed_ = false;
    bool framing_ = false;
    ZoomOffset offset_;
    QPoint frameCorner_{kMapWidth / 2 - kFrameWidth / 2,
                        kMapTop + kMapHeight / 2 - kFrameHeight / 2};
    std::optional<MapPosition> picked_;
};

}  // namespace

std::optional<MapPosition> runWorldMapWindow(QWidget* parent) {
    KeyDialog d(parent);
    d.setWindowTitle(
        "World map, Mercator projection         Click to select a position; hit <return> or "
        "<spacebar> to zoom in");
    auto* layout = new QVBoxLayout(&d);
    layout->setContentsMargins(0, 0, 0, 6);
    auto* view = new MapView(&d);
    auto* band = new QHBoxLayout(view);
    band->setContentsMargins(8, 4, 8, kMapHeight + 4);
    auto* lonLabel = new QLabel("Longitude:");
    auto* latLabel = new QLabel("Latitude:");
    auto* selected = new QLabel("Selected position:");
    for (QLabel* l : {lonLabel, latLabel, selected}) {
        l->setMinimumWidth(200);
        band->addWidget(l);
    }
    band->addStretch();
    layout->addWidget(view);
    auto* zoom = new QPushButton("Zoom in X5");
    auto* cancel = new QPushButton("Cancel Zoom");
    auto* done = new QPushButton("Done");
    auto* note = new QLabel;
    for (QPushButton* b : {zoom, cancel, done}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
    }
    auto* row = new QHBoxLayout;
    row->setContentsMargins(8, 0, 8, 0);
    row->addWidget(zoom);
    row->addWidget(cancel);
    row->addWidget(note);
    row->addStretch();
    row->addWidget(done);
    layout->addLayout(row);

    std::optional<MapPosition> picked;
    const auto refresh = [&] {
        zoom->setText(view->zoomed() ? "Zoom out" : "Zoom in X5");
        cancel->setVisible(view->framing());
        note->setText(view->framing() ? "Hit  the spacebar or <return> key to select an area" : "");
    };
    view->onHover = [&](const MapPosition& m) {
        lonLabel->setText("Longitude: " + utf8(mapLongitudeText(m)));
        latLabel->setText("Latitude: " + utf8(mapLatitudeText(m)));
    };
    view->onPick = [&](const MapPosition& m) {
        picked = m;
        selected->setText("Selected position:" + utf8(selectedPositionText(m)));
    };
    view->onFramed = refresh;
    QObject::connect(zoom, &QPushButton::clicked, &d, [&] {
        if (view->zoomed()) {
            view->zoomOut();
        } else {
            view->startFraming();
        }
        refresh();
        view->setFocus();
    });
    QObject::connect(cancel, &QPushButton::clicked, &d, [&] {
        view->cancelFraming();
        refresh();
    });
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    d.onKey = [&](QKeyEvent* e) {
        if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter && e->key() != Qt::Key_Space) {
            return false;
        }
        if (view->framing()) {
            view->zoomToFrame();
        } else if (!view->zoomed()) {
            view->startFraming();
        }
        refresh();
        return true;
    };
    refresh();
    view->setFocus();
    d.exec();
    return picked;
}

}  // namespace trindel::gui
