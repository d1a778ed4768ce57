// "Serial Port Selection:  ": the port dialog's widgets bound to PortDialogModel.
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt_platform.h"
#include "windows.h"

namespace trindel::gui {

bool runPortDialog(QWidget* parent, Program& p, PortDialogModel& model, Sounds& sounds) {
    const bool soundsOn = p.menus.Sound_Is_On != 0;
    QDialog d(parent);
    d.setWindowTitle(fromMacRoman(model.title()));
    d.setMinimumHeight(model.height());
    auto* layout = new QVBoxLayout(&d);
    for (const std::string& line : model.headingLines()) {
        layout->addWidget(new QLabel(fromMacRoman(line)));
    }
    auto* group = new QButtonGroup(&d);
    for (const int number : model.listed()) {
        const SerialPortInfo& port = model.ports()[static_cast<size_t>(number - 1)];
        auto* button = new QRadioButton(fromMacRoman(port.name));
        button->setToolTip(QString::fromStdString(
            port.path + (port.maker.empty() ? "" : "  (" + port.maker + ")")));
        button->setChecked(number == model.chosenPort());
        group->addButton(button, number);
        layout->addWidget(button);
    }
    QObject::connect(group, &QButtonGroup::idClicked, &d, [&](int id) { model.choosePort(id); });
    // Pseudo-terminals (the device simulator's among them) are never listed: a path may be typed.
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel("Other port (path):"));
    auto* path = new QLineEdit;
    path->setPlaceholderText("/dev/ttyUSB0");
    pathRow->addWidget(path);
    layout->addLayout(pathRow);

    auto* baudRow = new QHBoxLayout;
    baudRow->addWidget(new QLabel("Baud rate:"));
    auto* baud = new QComboBox;
    for (const int32_t speed : model.baudItems()) {
        baud->addItem(QString::number(speed));
    }
    baud->setCurrentIndex(model.baudIndex());
    baudRow->addWidget(baud);
    auto* help = new QVBoxLayout;
    for (const std::string& line : PortDialogModel::baudHelpLines()) {
        help->addWidget(new QLabel(QString::fromStdString(line)));
    }
    baudRow->addLayout(help);
    layout->addLayout(baudRow);
    QObject::connect(baud, &QComboBox::currentIndexChanged, &d, [&](int index) {
        model.chooseBaud(index);
        if (soundsOn) {
            sounds.play("big Click");
        }
    });

    auto* row = new QHBoxLayout;
    auto* demo = new QPushButton("Use DEMO Mode");
    row->addWidget(demo);
    QPushButton* quit = nullptr;
    if (model.noPorts()) {
        quit = new QPushButton("Quit Trindel");
        row->addWidget(quit);
    }
    auto* ok = new QPushButton("Selection OK");
    ok->setDefault(true);
    ok->setEnabled(model.canConfirm());
    row->addWidget(ok);
    layout->addLayout(row);
    QObject::connect(path, &QLineEdit::textChanged, &d, [&](const QString& text) {
        model.typePath(text.trimmed().toStdString());
        ok->setEnabled(model.canConfirm());
    });
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        model.selectionOK();
        d.accept();
    });
    QObject::connect(demo, &QPushButton::clicked, &d, [&] {
        model.useDemoMode();
        d.accept();
    });
    if (quit != nullptr) {
        QObject::connect(quit, &QPushButton::clicked, &d, [&] {
            model.quit();
            d.accept();
        });
    }
    if (const std::string sound = model.openingSound(); !sound.empty()) {
        sounds.play(sound);
    }
    if (d.exec() != QDialog::Accepted && model.outcome() == PortDialogModel::Outcome::Open) {
        model.close();
    }
    if (soundsOn) {
        sounds.play("tick");
    }
    return model.outcome() != PortDialogModel::Outcome::Quit;
}

}  // namespace trindel::gui
