#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "state/chart_state.h"

namespace trindel::gui {

namespace {

void drawSymbol(QPainter& g, int button) {
    const QColor ink(40, 40, 60);
    g.setPen(QPen(ink, 2));
    g.setBrush(ink);
    switch (button) {
        case kToolbarStop:
            g.setBrush(QColor(200, 30, 30));
            g.drawRect(9, 9, 14, 14);
            break;
        case kToolbarPause:
            g.drawRect(10, 8, 4, 16);
            g.drawRect(18, 8, 4, 16);
            break;
        case kToolbarResume: {
            g.setBrush(QColor(30, 150, 60));
            QPainterPath path;
            path.moveTo(10, 7);
            path.lineTo(25, 16);
            path.lineTo(10, 25);
            path.closeSubpath();
            g.drawPath(path);
            break;
        }
        case kToolbarNote:
            g.setBrush(QColor(255, 245, 180));
            g.drawRect(8, 6, 16, 20);
            g.drawLine(11, 12, 21, 12);
            g.drawLine(11, 16, 21, 16);
            g.drawLine(11, 20, 18, 20);
            break;
        case kToolbarAddTime:
            g.setBrush(Qt::NoBrush);
            g.drawEllipse(6, 6, 20, 20);
            g.drawLine(16, 10, 16, 16);
            g.drawLine(16, 16, 21, 19);
            g.drawText(QRect(20, 0, 12, 12), Qt::AlignCenter, "+");
            break;
        case kToolbarReplay:
            g.setBrush(Qt::NoBrush);
            g.drawArc(7, 7, 18, 18, 30 * 16, 300 * 16);
            g.drawLine(22, 6, 23, 11);
            g.drawLine(23, 11, 18, 11);
            break;
        case kToolbarTimeToRef:
            g.setBrush(Qt::NoBrush);
            g.drawLine(9, 7, 23, 7);
            g.drawLine(9, 25, 23, 25);
            g.drawLine(10, 7, 22, 25);
            g.drawLine(22, 7, 10, 25);
            break;
        case kToolbarBackup:
            g.setBrush(QColor(90, 110, 170));
            g.drawRect(7, 7, 18, 18);
            g.setBrush(Qt::white);
            g.drawRect(11, 8, 10, 6);
            break;
        case kToolbarReference:
            g.setFont(QFont("Sans", 14, QFont::Bold));
            g.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, "R");
            break;
        case kToolbarSample:
            g.setFont(QFont("Sans", 14, QFont::Bold));
            g.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, "S");
            break;
        case kToolbarSaveScope:
            // A sweep going into a disk: one cycle of a wave over a slot.
            g.setBrush(Qt::NoBrush);
            g.drawArc(4, 6, 12, 14, 0, 180 * 16);
            g.drawArc(16, 6, 12, 14, 180 * 16, 180 * 16);
            g.setBrush(ink);
            g.drawRect(6, 24, 20, 4);
            break;
        default:
            break;
    }
}

}  // namespace

QIcon toolbarIcon(int button) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    drawSymbol(g, button);
    return QIcon(pm);
}

QIcon programIcon() {
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    g.setBrush(QColor(2, 171, 234));
    g.setPen(QPen(QColor(0, 0, 212), 3));
    g.drawRoundedRect(3, 3, 58, 58, 10, 10);
    g.setPen(QPen(Qt::black, 3));
    const QPointF trace[] = {{8, 40}, {18, 38}, {24, 18}, {30, 46}, {38, 28}, {46, 34}, {56, 22}};
    g.drawPolyline(trace, 7);
    return QIcon(pm);
}

}  // namespace trindel::gui
