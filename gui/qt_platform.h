// The machine services on Qt: a clock whose waits run the Qt event loop until shortly before the
// deadline and then sleep to it; events queued by the windows; synthesised sound cues; a canvas
// on a QImage; the host's windows as Qt dialogs.
#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "platform/platform.h"
#include "platform/spin_margin.h"

class QEventLoop;
class QPainter;
class QSoundEffect;
class QTemporaryDir;
class QWidget;

namespace trindel::gui {

QColor toQColor(RGBColor c);
// Mac Roman bytes to a QString (the program keeps its texts in Mac Roman).
QString fromMacRoman(std::string_view bytes);
std::string toMacRoman(const QString& text);

class QtClock final : public Clock {
  public:
    QtClock();
    double GetCurrentTimeInSeconds() override;
    int32_t TickCount() override;
    void delayMilliseconds(int milliseconds) override;
    bool waitUntil(double deadline) override;
    bool waitUntilSpinning(double deadline, double spinSeconds) override;
    // Ends a wait early (an event was queued).
    void wake();
    std::function<bool()> eventPending;

  private:
    QElapsedTimer timer_;
    QEventLoop* wakeLoop_ = nullptr;
    double lastEvents_ = 0.0;
    SpinMargin spinMargin_;
};

class QtEvents final : public Events {
  public:
    void post(UserEvent e);
    std::function<void()> onPost;
    void setKeyDown(Key key, bool down);
    std::optional<UserEvent> nextEvent() override;
    bool hasPendingEvent() override { return !queue_.empty(); }
    bool isKeyDown(Key key) override { return held_.count(key) != 0; }
    bool isFrontApplication() override;
    bool mouseButtonDown() override;
    Point mousePosition() override;
    void clear() { queue_.clear(); }

  private:
    std::deque<UserEvent> queue_;
    std::set<Key> held_;
};

class QtSounds final : public Sounds {
  public:
    QtSounds();
    ~QtSounds() override;
    void play(std::string_view name) override;
    bool isPlaying() override;
    // Names played, for tests and the curious.
    std::vector<std::string> played;

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::map<std::string, QSoundEffect*> effects_;
    bool enabled_ = true;
};

// Draws into a QImage; flush() asks the view to repaint, at most ~60 times a second.
class ImageCanvas final : public QObject, public Canvas {
    Q_OBJECT
  public:
    explicit ImageCanvas(int width, int height);
    ~ImageCanvas() override;
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    void resize(int width, int height);
    void line(int x1, int y1, int x2, int y2, RGBColor color, PenStyle style) override;
    void fillRect(const Rect& r, RGBColor color) override;
    void frameRect(const Rect& r, RGBColor color) override;
    void text(int x, int y, std::string_view text, const TextStyle& style) override;
    void scrollRect(const Rect& r, int dx, int dy, RGBColor fill) override;
    void flush() override;
    const QImage& image() const { return image_; }
    int repaintsRequested() const { return repaints_; }

    // The part of the image drawn since the last repaint request.
    QRect takeDirty();

  Q_SIGNALS:
    void changed(QRect dirty);

  private:
    void touch(const QRect& r) { dirty_ |= r; }

    QImage image_;
    QRect dirty_;
    std::unique_ptr<QPainter> painter_;
    RGBColor penColour_{1, 2, 3};
    bool penDashed_ = true;
    QTimer coalesce_;
    QElapsedTimer sinceLast_;
    int repaints_ = 0;
};

class QtHost final : public Host {
  public:
    int alert(const std::string& title, const std::string& message,
              const std::vector<std::string>& buttons) override;
    std::optional<std::string> askSaveFile(const std::string& prompt,
                                           const std::string& proposedName) override;
    std::optional<std::string> askOpenFile(const std::string& prompt) override;
    void showText(const std::string& title, const std::string& text,
                  const std::string& button) override;
    int screenWidth() override;
    int screenHeight() override;
    QWidget* parent = nullptr;
    // File types the next save dialog offers (none: any file), the one shown first, and what
    // to do with the one the user leaves chosen.
    std::vector<std::string> fileTypes;
    int fileType = 0;
    std::function<void(int)> onFileType;
};

struct QtPlatform {
    QtPlatform(int width, int height);
    QtClock clock;
    QtEvents events;
    QtSounds sounds;
    ImageCanvas canvas;
    QtHost host;
    Platform platform() { return Platform{clock, events, sounds, canvas, host}; }
};

}  // namespace trindel::gui
