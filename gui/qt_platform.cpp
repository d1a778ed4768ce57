#include "qt_platform.h"

#include <sys/prctl.h>
#include <time.h>

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStringDecoder>
#include <QStringEncoder>

#include "text/mac_roman_text.h"

namespace trindel::gui {

QColor toQColor(RGBColor c) {
    return QColor(c.red >> 8, c.green >> 8, c.blue >> 8);
}

QString fromMacRoman(std::string_view bytes) {
    return QString::fromStdString(macRomanToUtf8(bytes));
}

std::string toMacRoman(const QString& text) {
    return utf8ToMacRoman(text.toStdString());
}

namespace {
constexpr double kSleepMargin = 0.004;  // seconds slept with clock_nanosleep before a deadline
constexpr double kEventMargin = 0.001;  // least time before a deadline to serve window events
}  // namespace

QtClock::QtClock() {
    timer_.start();
    // Sleeps end close to their deadline instead of up to 50 us late.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

double QtClock::GetCurrentTimeInSeconds() {
    return static_cast<double>(timer_.nsecsElapsed()) * 1e-9;
}

int32_t QtClock::TickCount() {
    return static_cast<int32_t>(timer_.nsecsElapsed() * 60 / 1000000000);
}

void QtClock::delayMilliseconds(int milliseconds) {
    waitUntil(GetCurrentTimeInSeconds() + milliseconds / 1000.0);
}

bool QtClock::waitUntilSpinning(double deadline, double spinSeconds) {
    return sleepThenSpin(*this, spinMargin_, deadline, spinSeconds,
                         [this] { return eventPending && eventPending(); });
}

bool QtClock::waitUntil(double deadline) {
    // Window events (paints above all) are served when there is time before the deadline, and
    // at least every 50 ms when the loop runs behind, so scans are not delayed by them.
    const double start = GetCurrentTimeInSeconds();
    if (deadline - start > kEventMargin || start - lastEvents_ > 0.05) {
        QCoreApplication::processEvents();
        lastEvents_ = GetCurrentTimeInSeconds();
    }
    for (;;) {
        if (eventPending && eventPending()) {
            return true;
        }
        const double remaining = deadline - GetCurrentTimeInSeconds();
        if (remaining <= 0) {
            return false;
        }
        if (remaining > kSleepMargin) {
            // Let Qt wait for window-system events until shortly before the deadline; a loaded
            // machine wakes a timer a few milliseconds late, the sleep that follows does not.
            QEventLoop loop;
            QTimer timer;
            timer.setSingleShot(true);
            timer.setTimerType(Qt::PreciseTimer);
            QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
            timer.start(static_cast<int>((remaining - kSleepMargin) * 1000));
            wakeLoop_ = &loop;
            loop.exec();
            wakeLoop_ = nullptr;
            lastEvents_ = GetCurrentTimeInSeconds();
            continue;
        }
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const long ns = static_cast<long>(remaining * 1e9);
        timespec until{now.tv_sec + (now.tv_nsec + ns) / 1000000000,
                       (now.tv_nsec + ns) % 1000000000};
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
        return eventPending && eventPending();
    }
}

void QtClock::wake() {
    if (wakeLoop_ != nullptr) {
        wakeLoop_->quit();
    }
}

void QtEvents::post(UserEvent e) {
    queue_.push_back(e);
    if (onPost) {
        onPost();
    }
}

void QtEvents::setKeyDown(Key key, bool down) {
    if (down) {
        held_.insert(key);
    } else {
        held_.erase(key);
    }
}

std::optional<UserEvent> QtEvents::nextEvent() {
    if (queue_.empty()) {
        return std::nullopt;
    }
    UserEvent e = queue_.front();
    queue_.pop_front();
    return e;
}

bool QtEvents::isFrontApplication() {
    return QGuiApplication::applicationState() == Qt::ApplicationActive ||
           QGuiApplication::platformName() == "offscreen";
}

bool QtEvents::mouseButtonDown() {
    return QGuiApplication::mouseButtons() != Qt::NoButton;
}

Point QtEvents::mousePosition() {
    const QPoint p = QCursor::pos();
    return Point{p.x(), p.y()};
}

ImageCanvas::ImageCanvas(int width, int height)
    : image_(std::max(1, width), std::max(1, height), QImage::Format_RGB32) {
    image_.fill(Qt::white);
    painter_ = std::make_unique<QPainter>(&image_);
    coalesce_.setSingleShot(true);
    coalesce_.setTimerType(Qt::PreciseTimer);
    connect(&coalesce_, &QTimer::timeout, this, [this] {
        sinceLast_.start();
        ++repaints_;
        Q_EMIT changed(takeDirty());
    });
    sinceLast_.start();
}

ImageCanvas::~ImageCanvas() {
    painter_->end();
}

void ImageCanvas::resize(int width, int height) {
    if (width == image_.width() && height == image_.height()) {
        return;
    }
    painter_->end();
    // What was drawn stays where it was (a window resized between runs still shows the run).
    QImage resized(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    resized.fill(image_.isNull()
                     ? QColor(Qt::white)
                     : image_.pixelColor(image_.width() - 1, std::min(40, image_.height() - 1)));
    if (!image_.isNull()) {
        QPainter copy(&resized);
        copy.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
    painter_->begin(&image_);
    dirty_ = image_.rect();
}

void ImageCanvas::line(int x1, int y1, int x2, int y2, RGBColor color, PenStyle style) {
    if (style == PenStyle::Solid) {
        if (!(color == penColour_) || penDashed_) {
            painter_->setPen(QPen(toQColor(color), 0, Qt::SolidLine));
            penColour_ = color;
            penDashed_ = false;
        }
    } else {
        painter_->setPen(QPen(toQColor(color), 0, Qt::DashLine));
        penColour_ = color;
        penDashed_ = true;
    }
    painter_->drawLine(x1, y1, x2, y2);
    touch(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                QPoint(std::max(x1, x2), std::max(y1, y2))));
}

QRect ImageCanvas::takeDirty() {
    const QRect r = dirty_.adjusted(-1, -1, 2, 2) & image_.rect();
    dirty_ = QRect();
    return r;
}

void ImageCanvas::fillRect(const Rect& r, RGBColor color) {
    painter_->fillRect(QRect(r.left, r.top, r.width(), r.height()), toQColor(color));
    touch(QRect(r.left, r.top, r.width(), r.height()));
}

void ImageCanvas::frameRect(const Rect& r, RGBColor color) {
    if (r.width() <= 0 || r.height() <= 0) {
        return;
    }
    painter_->setPen(QPen(toQColor(color), 0));
    penDashed_ = false;
    penColour_ = color;
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
    touch(QRect(r.left, r.top, r.width(), r.height()));
}

void ImageCanvas::text(int x, int y, std::string_view text, const TextStyle& style) {
    QFont font = QApplication::font();
    font.setPixelSize(std::max(6, style.pointSize + 2));
    font.setBold(style.bold);
    painter_->setFont(font);
    painter_->setPen(toQColor(style.color));
    penDashed_ = false;
    penColour_ = style.color;
    const QString s = fromMacRoman(text);
    painter_->drawText(QPoint(x, y), s);
    const int size = font.pixelSize();
    touch(QRect(x - 2, y - size - 2, static_cast<int>(s.size()) * size + 4, size + 6));
}

void ImageCanvas::scrollRect(const Rect& r, int dx, int dy, RGBColor fill) {
    const QRect area(r.left, r.top, r.width(), r.height());
    const QImage copy = image_.copy(area);
    painter_->fillRect(area, toQColor(fill));
    painter_->save();
    painter_->setClipRect(area);
    painter_->drawImage(QPoint(r.left + dx, r.top + dy), copy);
    painter_->restore();
    touch(area);
}

void ImageCanvas::flush() {
    if (coalesce_.isActive()) {
        return;
    }
    const qint64 waited = sinceLast_.elapsed();
    coalesce_.start(waited >= 16 ? 0 : static_cast<int>(16 - waited));
}

int QtHost::alert(const std::string& title, const std::string& message,
                  const std::vector<std::string>& buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(message));
    std::vector<QAbstractButton*> made;
    for (const std::string& b : buttons) {
        made.push_back(box.addButton(QString::fromStdString(b), QMessageBox::AcceptRole));
    }
    if (made.empty()) {
        made.push_back(box.addButton(QMessageBox::Ok));
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(made.front()));
    box.exec();
    for (size_t i = 0; i < made.size(); ++i) {
        if (box.clickedButton() == made[i]) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

std::optional<std::string> QtHost::askSaveFile(const std::string& prompt,
                                               const std::string& proposedName) {
    QFileDialog dialog(parent, QString::fromStdString(prompt));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's own dialog: the same on every desktop, and its type list can be read back.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // A bare proposed name starts in the folder used last, or in the home folder, never in
    // whatever folder the program was started from.
    static QString lastFolder = QDir::homePath();
    const QString proposed = QString::fromStdString(proposedName);
    dialog.setDirectory(proposed.contains('/') ? QFileInfo(proposed).absolutePath() : lastFolder);
    dialog.selectFile(proposed.contains('/') ? QFileInfo(proposed).fileName() : proposed);
    QStringList types;
    for (const std::string& t : fileTypes) {
        types << QString::fromStdString(t);
    }
    if (!types.isEmpty()) {
        dialog.setNameFilters(types);
        dialog.selectNameFilter(types.value(fileType));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty()) {
        return std::nullopt;
    }
    lastFolder = QFileInfo(path).absolutePath();
    const int chosen = static_cast<int>(types.indexOf(dialog.selectedNameFilter()));
    if (chosen >= 0 && onFileType) {
        onFileType(chosen);
    }
    return path.toStdString();
}

std::optional<std::string> QtHost::askOpenFile(const std::string& prompt) {
    const QString path = QFileDialog::getOpenFileName(parent, QString::fromStdString(prompt));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toStdString();
}

void QtHost::showText(const std::string& title, const std::string& text,
                      const std::string& button) {
    alert(title, text, {button});
}

int QtHost::screenWidth() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry().width() : 1280;
}

int QtHost::screenHeight() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry().height() : 1024;
}

QtPlatform::QtPlatform(int width, int height) : canvas(width, height) {
    clock.eventPending = [this] { return events.hasPendingEvent(); };
    events.onPost = [this] { clock.wake(); };
}

}  // namespace trindel::gui
