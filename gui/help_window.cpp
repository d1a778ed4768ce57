// The help book: HTML pages from the program's resources in a text browser, the About window,
// and the pages shown with each window while "Always Show Help Data" is on.
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "menu_hooks_views.h"
#include "ui/view_choices.h"

namespace trindel::gui {

namespace {

QString pageUrl(const std::string& page) {
    return QString("qrc:/help/") + QString::fromStdString(page);
}

class HelpWindow final : public QDialog {
  public:
    explicit HelpWindow(QWidget* parent) : QDialog(parent) {
        setWindowTitle("Trindel Help");
        setObjectName("helpWindow");
        setModal(false);
        setAttribute(Qt::WA_DeleteOnClose);
        auto* layout = new QVBoxLayout(this);
        auto* bar = new QHBoxLayout;
        auto* back = new QPushButton("Back", this);
        auto* home = new QPushButton("Contents", this);
        bar->addWidget(back);
        bar->addWidget(home);
        bar->addStretch();
        layout->addLayout(bar);
        browser_ = new QTextBrowser(this);
        browser_->setObjectName("helpText");
        browser_->setOpenExternalLinks(true);
        layout->addWidget(browser_);
        connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
        connect(home, &QPushButton::clicked, this, [this] { show(std::string(kHelpHome)); });
        // The title names the page shown (the contents page is plain "Trindel Help").
        connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
            const QString page = browser_->documentTitle();
            setWindowTitle(page.isEmpty() || page == "Trindel Help" ? QString("Trindel Help")
                                                                    : "Trindel Help: " + page);
        });
        resize(560, 480);
    }
    void show(const std::string& page) {
        browser_->setSource(QUrl(pageUrl(page)));
        if (browser_->toPlainText().trimmed().isEmpty()) {
            browser_->setSource(QUrl(pageUrl(std::string(kHelpHome))));
        }
        QDialog::show();
        raise();
        activateWindow();
    }

  private:
    QTextBrowser* browser_;
};

QPointer<HelpWindow>& helpWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

// Opens the help page of each dialog as it is shown, while the flag is on.
class HelpWithWindows final : public QObject {
  public:
    explicit HelpWithWindows(Program& p) : p_(p) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && p_.prefs[10] != 0) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog != nullptr && dialog->objectName() != "helpWindow" && dialog->isWindow()) {
                const std::string page = helpPageFor(dialog->windowTitle().toStdString());
                if (!page.empty()) {
                    showHelpPage(dialog, page);
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    Program& p_;
};

}  // namespace

void showHelpPage(QWidget* parent, const std::string& page) {
    QPointer<HelpWindow>& w = helpWindow();
    // A modal window blocks every window but its own children: the help then belongs to it (to
    // `parent` when that is a modal window being shown, to the one in front otherwise).
    const bool parentModal =
        parent != nullptr && (parent->isModal() || parent->windowModality() != Qt::NonModal);
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* owner = parentModal ? parent : modal != nullptr ? modal : parent;
    if (w != nullptr && w->parentWidget() != owner) {
        w->close();
        w = nullptr;
    }
    if (w == nullptr) {
        w = new HelpWindow(owner);
        if (owner != nullptr) {
            const QRect r = owner->frameGeometry();
            w->move(r.right() + 8, r.top());
        }
    }
    w->show(page.empty() ? std::string(kHelpHome) : page);
}

void installHelpWithWindows(Program& p) {
    static HelpWithWindows* filter = nullptr;
    if (filter == nullptr) {
        filter = new HelpWithWindows(p);
        filter->setParent(qApp);
        qApp->installEventFilter(filter);
    }
}

void runAboutWindow(QWidget* parent) {
    QDialog d(parent);
    d.setWindowTitle("About Trindel");
    auto* layout = new QVBoxLayout(&d);
    auto* title = new QLabel("<h2>Trindel</h2>", &d);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto* text = new QLabel(
        "Data acquisition and analysis for physiology laboratories:<br>"
        "flow-through and closed-system respirometry, valve switching,<br>"
        "analogue output, alarms and the calculators of the Special menu.<br><br>"
        "Built with Qt " QT_VERSION_STR
        ".<br>"
        "Help: the Help menu, or Ctrl-H for the help book.",
        &d);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok, &d);
    QObject::connect(box, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    layout->addWidget(box);
    d.exec();
}

}  // namespace trindel::gui
