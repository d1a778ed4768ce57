// The replay of the recording: its own window after a run (scaling switch and "Close"), and an
// overlay over the recording view during a chart run.
#pragma once

#include <QWidget>
#include <memory>

#include "display/replay.h"
#include "qt_platform.h"
#include "state/program.h"

class QDialog;
class QPushButton;

namespace trindel::gui {

// The replay picture: draws the store once into its own image and repaints from it.
class ReplayView final : public QWidget {
    Q_OBJECT
  public:
    ReplayView(Program& p, bool afterRun, QWidget* parent);
    // Draws again with the current scaling; the envelopes are recomputed only when `fresh`.
    void redraw(bool fresh);
    QSize sizeHint() const override;
    const QImage& image() const { return canvas_.image(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Program& p_;
    bool afterRun_;
    ImageCanvas canvas_;
    ReplayEnvelopes envelopes_;
};

// Window 321 after a run, not yet shown: the scaling button ("replayScaling") flips
// ReplayAutoScaling and draws again; "Close" ("replayClose") or the close box closes it.
QDialog* makeReplayWindow(QWidget* parent, Program& p);

// Runs the after-run replay window until it is closed.
void runReplayWindow(QWidget* parent, Program& p);

// During a chart run: the title line and the replay laid over `recordingView`.
class ReplayOverlay final : public QWidget {
    Q_OBJECT
  public:
    ReplayOverlay(Program& p, QWidget* recordingView);
    // Draws the replay again (the scaling or the data changed) and shows it.
    void refresh();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Program& p_;
    ReplayView* view_;
};

}  // namespace trindel::gui
