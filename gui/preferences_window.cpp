// "User Preferences": the preference flags on three tabs, bound to their model; "OK" stores them,
// "Save Preferences..." stores them and writes the preferences file.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "files/preferences_file.h"
#include "qt_platform.h"
#include "setup_windows.h"
#include "ui/preferences_window.h"

namespace trindel::gui {

bool runPreferencesWindow(QWidget* parent, Program& p, Platform& io) {
    PreferencesWindowModel m(p);
    QDialog d(parent);
    d.setObjectName("preferencesWindow");
    d.setWindowTitle("User Preferences");
    auto* layout = new QVBoxLayout(&d);
    auto* tabs = new QTabWidget;
    std::vector<QVBoxLayout*> pages;
    for (const char* name : kPreferencesTabs) {
        auto* page = new QWidget;
        auto* pl = new QVBoxLayout(page);
        pages.push_back(pl);
        tabs->addTab(page, name);
    }
    for (const PrefItem& item : preferenceItems()) {
        QVBoxLayout* page = pages[static_cast<size_t>(item.tab)];
        const QString objectName = QString("pref%1").arg(item.index);
        switch (item.control) {
            case PrefControl::Check: {
                auto* box = new QCheckBox(fromMacRoman(item.text));
                box->setObjectName(objectName);
                box->setChecked(m.value(item) != 0);
                QObject::connect(box, &QCheckBox::toggled, &d,
                                 [&m, &item](bool on) { m.setValue(item, on ? 1 : 0); });
                page->addWidget(box);
                break;
            }
            case PrefControl::Radio: {
                auto* group = new QGroupBox(fromMacRoman(item.text));
                group->setObjectName(objectName);
                auto* gl = new QHBoxLayout(group);
                auto* buttons = new QButtonGroup(group);
                for (const PrefChoice& c : item.choices) {
                    auto* b = new QRadioButton(fromMacRoman(c.text));
                    b->setChecked(m.value(item) == c.value);
                    buttons->addButton(b, c.value);
                    gl->addWidget(b);
                }
                QObject::connect(buttons, &QButtonGroup::idClicked, &d,
                                 [&m, &item](int v) { m.setValue(item, v); });
                page->addWidget(group);
                break;
            }
            case PrefControl::PopUp: {
                auto* row = new QFormLayout;
                auto* box = new QComboBox;
                box->setObjectName(objectName);
                for (const PrefChoice& c : item.choices) {
                    box->addItem(fromMacRoman(c.text), c.value);
                }
                box->setCurrentIndex(box->findData(m.value(item)));
                QObject::connect(box, &QComboBox::currentIndexChanged, &d, [&m, &item, box](int i) {
                    m.setValue(item, box->itemData(i).toInt());
                });
                row->addRow(fromMacRoman(item.text), box);
                page->addLayout(row);
                break;
            }
        }
    }
    for (QVBoxLayout* page : pages) {
        page->addStretch();
    }
    layout->addWidget(tabs);
    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton("Save Preferences...");
    auto* cancel = new QPushButton("Cancel");
    auto* ok = new QPushButton("OK");
    save->setAutoDefault(false);
    cancel->setAutoDefault(false);
    ok->setDefault(true);
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    bool stored = false;
    const auto store = [&] {
        m.store(p, io.host.screenWidth(), io.host.screenHeight());
        stored = true;
    };
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        store();
        d.accept();
    });
    QObject::connect(cancel, &QPushButton::clicked, &d, &QDialog::reject);
    QObject::connect(save, &QPushButton::clicked, &d, [&] {
        store();
        if (SAVEsettings(p, io.host, io.sounds)) {
            d.accept();
        }
    });
    d.exec();
    return stored;
}

}  // namespace trindel::gui
