#include "replay_window.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "text/mac_roman_text.h"

namespace trindel::gui {

namespace {

// Rows above the replay's bands: the title strip of the overlay during a run.
constexpr int kOverlayTitleRows = 24;

QString fromProgramText(const std::string& text) {
    return QString::fromStdString(macRomanToUtf8(text));
}

}  // namespace

ReplayView::ReplayView(Program& p, bool afterRun, QWidget* parent)
    : QWidget(parent),
      p_(p),
      afterRun_(afterRun),
      canvas_(replayCanvasWidth(p), replayCanvasHeight(p, afterRun)) {
    setObjectName("replayView");
    setFixedSize(canvas_.width(), canvas_.height());
    redraw(true);
}

void ReplayView::redraw(bool fresh) {
    if (fresh) {
        envelopes_ = computeReplayEnvelopes(p_);
    }
    drawReplay(p_, canvas_, afterRun_, envelopes_);
    (void)canvas_.takeDirty();
    update();
}

QSize ReplayView::sizeHint() const {
    return QSize(canvas_.width(), canvas_.height());
}

void ReplayView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_.image());
}

QDialog* makeReplayWindow(QWidget* parent, Program& p) {
    auto* window = new QDialog(parent);
    QDialog& dialog = *window;
    dialog.setObjectName("replayWindow");
    dialog.setWindowTitle(fromProgramText(replayTitle(p, true)));
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(10, 10, 10, 10);
    auto* view = new ReplayView(p, true, &dialog);
    layout->addWidget(view);
    auto* buttons = new QHBoxLayout;
    auto* scaling = new QPushButton(QString::fromStdString(replayScalingButtonText(p)), &dialog);
    scaling->setObjectName("replayScaling");
    scaling->setAutoDefault(false);
    auto* close = new QPushButton("Close", &dialog);
    close->setObjectName("replayClose");
    close->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(scaling);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    QObject::connect(scaling, &QPushButton::clicked, &dialog, [&p, view, scaling] {
        switchReplayScaling(p);
        view->redraw(false);
        scaling->setText(QString::fromStdString(replayScalingButtonText(p)));
    });
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    return window;
}

void runReplayWindow(QWidget* parent, Program& p) {
    const std::unique_ptr<QDialog> dialog(makeReplayWindow(parent, p));
    dialog->exec();
}

ReplayOverlay::ReplayOverlay(Program& p, QWidget* recordingView)
    : QWidget(recordingView), p_(p), view_(nullptr) {
    setObjectName("replayOverlay");
    setAutoFillBackground(false);
    refresh();
}

void ReplayOverlay::refresh() {
    delete view_;
    view_ = new ReplayView(p_, false, this);
    // Below the title strip, moved up as far as needed for the foot lines to stay in view.
    const int room = parentWidget() != nullptr ? parentWidget()->height() - view_->height() : 0;
    view_->move(10, std::max(0, std::min(kOverlayTitleRows, room)));
    view_->show();
    if (parentWidget() != nullptr) {
        setGeometry(parentWidget()->rect());
    }
    show();
    raise();
    update();
}

void ReplayOverlay::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(10, 0, width() - 20, kOverlayTitleRows),
                     Qt::AlignVCenter | Qt::AlignLeft, fromProgramText(replayTitle(p_, false)));
}

}  // namespace trindel::gui
