// The shared pieces of the calculator windows and the Special-menu dispatch.
#include "calculator_windows.h"

#include <QMessageBox>
#include <QPushButton>

namespace trindel::gui {

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLineEdit* FieldBinder::edit(std::string& field, int width, const char* name) {
    auto* e = new QLineEdit(utf8(field));
    if (name != nullptr) {
        e->setObjectName(name);
    }
    e->setFixedWidth(width);
    edits_.emplace_back(e, &field);
    return e;
}

QLabel* FieldBinder::label(const std::string& field) {
    auto* l = new QLabel(utf8(field));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labels_.emplace_back(l, &field);
    return l;
}

void FieldBinder::pull() {
    for (auto& [e, field] : edits_) {
        *field = e->text().toStdString();
    }
}

void FieldBinder::push() {
    for (auto& [e, field] : edits_) {
        const QString t = utf8(*field);
        if (e->text() != t) {
            e->setText(t);
        }
    }
    for (auto& [l, field] : labels_) {
        l->setText(utf8(*field));
    }
}

QPushButton* helpButton(QWidget* parent, const char* title, const char* help) {
    auto* b = new QPushButton("?");
    b->setFixedWidth(32);
    QObject::connect(b, &QPushButton::clicked, parent, [parent, title, help] {
        QMessageBox box(QMessageBox::Information, title, QString::fromUtf8(help), QMessageBox::Ok,
                        parent);
        box.exec();
    });
    return b;
}

QLabel* reasonLabel() {
    auto* l = new QLabel;
    l->setStyleSheet("color: #b00000;");
    l->setVisible(false);
    return l;
}

void showReason(QLabel* label, const std::string& reason) {
    label->setText(utf8(reason));
    label->setVisible(!reason.empty());
}

bool runCalculator(QWidget* parent, Program& p, Sounds& sounds, int item) {
    switch (item) {
        case 3:
            runStpWindow(parent, p);
            break;
        case 4:
            runAltitudeWindow(parent, p, sounds);
            break;
        case 5:
            runAltitudeSimulationWindow(parent);
            break;
        case 6:
            runPo2Window(parent, p);
            break;
        case 7:
            runDissolvedOxygenWindow(parent, p);
            break;
        case 9:
            runFlowRateWindow(parent, p, sounds);
            break;
        case 10:
            runQ10Window(parent, p, sounds);
            break;
        case 11:
            runClosedSystemWindow(parent);
            break;
        case 13:
            runDayOfYearWindow(parent);
            break;
        case 14:
            runSunCycleWindow(parent, p);
            break;
        case 15:
            runUnitConverterWindow(parent);
            break;
        default:
            return false;
    }
    p.events.Action = 5;
    return true;
}

}  // namespace trindel::gui
