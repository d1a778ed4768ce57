#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "key_dialog.h"
#include "qt_platform.h"
#include "windows.h"

namespace trindel::gui {

int runOptionsWindow(QWidget* parent, const std::string& title,
                     const std::vector<OptionsButtonInfo>& buttons, const SampleRateReport& rate,
                     const std::vector<std::string>& savedNotice) {
    KeyDialog d(parent);
    d.setWindowTitle(QString::fromStdString(title));
    d.setObjectName("OptionsWindow");
    auto* layout = new QVBoxLayout(&d);
    auto* heading = new QLabel(QString::fromStdString(title));
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 3);
    heading->setFont(f);
    layout->addWidget(heading);
    int chosen = 0;
    for (const OptionsButtonInfo& b : buttons) {
        auto* button = new QPushButton(fromMacRoman(b.label));
        button->setAutoDefault(false);
        button->setProperty("optionsButton", b.button);
        layout->addWidget(button);
        const int number = b.button;
        QObject::connect(button, &QPushButton::clicked, &d, [&d, &chosen, number] {
            chosen = number;
            d.accept();
        });
    }
    QString info;
    for (const std::string& line : sampleRateLines(rate)) {
        info += QString::fromStdString(line) + "\n";
    }
    auto* rateLabel = new QLabel(info.trimmed());
    rateLabel->setStyleSheet("color: #333; font-size: 10pt;");
    layout->addWidget(rateLabel);
    if (!savedNotice.empty()) {
        QStringList notice;
        for (const std::string& line : savedNotice) {
            notice << fromMacRoman(line);
        }
        // The lines keep their leading blanks.
        auto* saved = new QLabel(notice.join('\n'));
        saved->setObjectName("savedNotice");
        layout->addWidget(saved);
    }
    d.onKey = [&](QKeyEvent* e) {
        const QString t = e->text();
        if (t.isEmpty() || (e->modifiers() & Qt::ControlModifier) != 0) {
            return false;
        }
        chosen = optionsButtonForKey(t[0].unicode());
        d.accept();
        return true;
    };
    // Not modal: the menu bar stays usable while the window is up (data format, sounds, views).
    // The main window ignores keys between runs, so nothing else can start meanwhile.
    d.setModal(false);
    QEventLoop wait;
    QObject::connect(&d, &QDialog::finished, &wait, &QEventLoop::quit);
    d.show();
    d.raise();
    d.activateWindow();
    wait.exec();
    if (chosen == 0 && d.property("chosen").isValid()) {
        chosen = d.property("chosen").toInt();  // "Save Data As..." from the menu
    }
    // Closing the window without a choice keeps it up: the driver asks again.
    return chosen;
}

}  // namespace trindel::gui
