// "Backup Interval": the timed-backup window on BackupIntervalModel, and the program's data folder.
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "files/backup_interval_model.h"
#include "files_windows.h"
#include "qt_platform.h"

namespace trindel::gui {

std::string programDataFolder() {
    const QString folder = QDir::home().filePath("Trindel");
    QDir().mkpath(folder);
    return folder.toStdString();
}

void runBackupIntervalWindow(QWidget* parent, Program& p, Sounds& sounds) {
    BackupIntervalModel model(p.session.TimedSaveINTERVAL, p.files.appendDATE);
    QDialog d(parent);
    d.setObjectName("backupInterval");
    d.setWindowTitle("Backup Interval");
    auto* layout = new QVBoxLayout(&d);
    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(new QLabel("Save data every"));
    auto* field = new QLineEdit;
    field->setObjectName("backupMinutes");
    field->setMaximumWidth(90);
    fieldRow->addWidget(field);
    fieldRow->addWidget(new QLabel("minutes"));
    fieldRow->addStretch();
    layout->addLayout(fieldRow);
    const auto refresh = [&] { field->setText(QString::fromStdString(model.fieldText())); };
    QObject::connect(field, &QLineEdit::textEdited, &d, [&](const QString& t) {
        bool ok = false;
        const double minutes = t.toDouble(&ok);
        if (ok) {
            model.typed(minutes);
        }
    });
    auto* presets = new QGridLayout;
    static constexpr const char* kPresetTexts[] = {"0.5",  "1",    "2",    "2.5",  "5",
                                                   "10",   "15",   "30",   "60",   "2 hr",
                                                   "3 hr", "4 hr", "6 hr", "12 hr"};
    for (size_t i = 0; i < BackupIntervalModel::kPresets.size(); ++i) {
        auto* b = new QPushButton(kPresetTexts[i]);
        b->setAutoDefault(false);
        presets->addWidget(b, static_cast<int>(i / 5), static_cast<int>(i % 5));
        const double minutes = BackupIntervalModel::kPresets[i];
        QObject::connect(b, &QPushButton::clicked, &d, [&, minutes] {
            model.preset(minutes);
            refresh();
        });
    }
    layout->addLayout(presets);
    auto* arithmetic = new QHBoxLayout;
    const auto addOp = [&](const char* text, void (BackupIntervalModel::*op)()) {
        auto* b = new QPushButton(QString::fromUtf8(text));
        b->setAutoDefault(false);
        arithmetic->addWidget(b);
        QObject::connect(b, &QPushButton::clicked, &d, [&, op] {
            (model.*op)();
            refresh();
        });
    };
    addOp("*2", &BackupIntervalModel::times2);
    addOp(
        "\xC3\xB7"
        "2",
        &BackupIntervalModel::half);
    addOp(" + 10", &BackupIntervalModel::plus10);
    addOp("-1", &BackupIntervalModel::minus1);
    layout->addLayout(arithmetic);
    auto* date = new QCheckBox("Add Date to File Name");
    date->setObjectName("backupAddDate");
    date->setChecked(model.appendDATE() != 0);
    layout->addWidget(date);
    QObject::connect(date, &QCheckBox::clicked, &d, [&] { model.toggleAppendDate(); });
    auto* row = new QHBoxLayout;
    auto* off = new QPushButton("OFF");
    off->setObjectName("backupOff");
    off->setAutoDefault(false);
    auto* ok = new QPushButton("Timing OK");
    ok->setObjectName("backupOK");
    ok->setDefault(true);
    row->addWidget(off);
    row->addStretch();
    row->addWidget(ok);
    layout->addLayout(row);
    BackupIntervalModel::Closing closing = model.close();
    QObject::connect(off, &QPushButton::clicked, &d, [&] {
        closing = BackupIntervalModel::off();
        d.accept();
    });
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        closing = model.close();
        d.accept();
    });
    refresh();
    // The close box keeps what the field says, as "Timing OK" does.
    if (d.exec() != QDialog::Accepted) {
        closing = model.close();
    }
    applyBackupInterval(p, closing, model.appendDATE());
    if (soundsOn(p.menus)) {
        sounds.play(closing.sound);
    }
}

}  // namespace trindel::gui
