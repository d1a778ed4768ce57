#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>
#include <functional>

#include "windows.h"

namespace trindel::gui {

bool runModesWindow(QWidget* parent, ModesChannelsModel& model,
                    const std::function<bool()>& loadSetup) {
    QDialog d(parent);
    d.setWindowTitle("Modes and Channels");
    auto* layout = new QVBoxLayout(&d);
    auto* tabs = new QTabBar;
    tabs->addTab("Chart (1 - 16 Channels)");
    tabs->addTab("Scope (1 Channel)");
    tabs->addTab("Scope + Chart (2 - 5 Channels)");
    tabs->setTabEnabled(1, model.tabOffered(2));
    tabs->setTabEnabled(2, model.tabOffered(3));
    if (model.slowDevice()) {
        tabs->setVisible(false);
        layout->addWidget(new QLabel("Only chart mode is possible \nwith this slow A-D converter"));
    }
    layout->addWidget(tabs);
    auto* note = new QLabel;
    layout->addWidget(note);
    auto* grid = new QGridLayout;
    auto* group = new QButtonGroup(&d);
    group->setExclusive(true);
    std::vector<QPushButton*> counts;
    for (int n = 1; n <= 16; ++n) {
        auto* b = new QPushButton(n == 1 ? QString("1 Channel") : QString("%1 Channels").arg(n));
        b->setCheckable(true);
        b->setAutoDefault(false);
        group->addButton(b, ModesChannelsModel::kFirstCountButton + n - 1);
        grid->addWidget(b, (n - 1) % 8, (n - 1) / 8);
        counts.push_back(b);
    }
    layout->addLayout(grid);
    auto* row = new QHBoxLayout;
    auto* setupFile = new QPushButton("Use Setup File");
    setupFile->setAutoDefault(false);
    auto* ok = new QPushButton("Selection OK");
    ok->setDefault(true);
    row->addWidget(setupFile);
    row->addStretch();
    row->addWidget(ok);
    layout->addLayout(row);
    const auto refresh = [&] {
        for (int i = 0; i < 16; ++i) {
            counts[static_cast<size_t>(i)]->setVisible(i < model.countButtons());
        }
        note->setText(model.RecordingMODE() == 2 ? "\xE2\x80\xA2 Scope mode uses one channel" : "");
        ok->setEnabled(model.okEnabled());
    };
    QObject::connect(tabs, &QTabBar::currentChanged, &d, [&](int index) {
        model.chooseTab(index + 1);
        group->setExclusive(false);
        for (QPushButton* b : counts) {
            b->setChecked(false);
        }
        group->setExclusive(true);
        refresh();
    });
    QObject::connect(group, &QButtonGroup::idClicked, &d, [&](int id) {
        model.chooseCountButton(id);
        refresh();
    });
    bool chosen = false;
    QObject::connect(setupFile, &QPushButton::clicked, &d, [&] {
        model.useSetupFile(loadSetup && loadSetup());
        if (model.setupKept()) {
            chosen = true;
            d.accept();
        }
    });
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        if (model.okEnabled()) {
            chosen = true;
            d.accept();
        }
    });
    refresh();
    d.exec();
    return chosen;
}

}  // namespace trindel::gui
