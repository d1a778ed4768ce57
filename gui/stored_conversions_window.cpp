// "Modify Voltage Conversions": the eight stored conversions and the three-way polynomial with
// their labels ("Customize Conversions..."), and the transfer of a channel's conversion into a
// button ("Transfer Current Conversions...").
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <functional>
#include <vector>

#include "files/preferences_file.h"
#include "qt_platform.h"
#include "setup_windows.h"
#include "signal/stored_conversions_window.h"

namespace trindel::gui {

namespace {

using Reloads = std::vector<std::function<void()>>;

// A field bound to a text of the model; `reloads` gets a function that shows the model's text
// again after the table changed underneath.
QLineEdit* field(Reloads& reloads, QGridLayout* grid, int row, int column, std::string& text,
                 int width, int maxLength = 0) {
    auto* e = new QLineEdit(fromMacRoman(text));
    e->setMinimumWidth(width);
    if (maxLength > 0) {
        e->setMaxLength(maxLength);
    }
    grid->addWidget(e, row, column);
    QObject::connect(e, &QLineEdit::textChanged, e,
                     [&text](const QString& t) { text = toMacRoman(t); });
    reloads.push_back([e, &text] { e->setText(fromMacRoman(text)); });
    return e;
}

}  // namespace

void runStoredConversionsWindow(QWidget* parent, Program& p, Platform& io) {
    StoredConversionsModel m(p.conversion);
    QDialog d(parent);
    d.setObjectName("storedConversions");
    d.setWindowTitle("Modify Voltage Conversions");
    auto* layout = new QVBoxLayout(&d);
    Reloads reloads;
    auto* tabs = new QTabWidget;
    layout->addWidget(tabs);

    // Customize Conversions...
    auto* custom = new QWidget;
    auto* cl = new QVBoxLayout(custom);
    cl->addWidget(new QLabel("<b>Custom voltage conversions</b>"));
    cl->addWidget(
        new QLabel("conversions:  a + b*volts   or 2-degree polynomial:  a + b*volts + "
                   "c*volts<sup>2</sup>"));
    auto* grid = new QGridLayout;
    const char* heads[] = {"button label", "channel label", "poly?", "a", "b", "c", "min", "max"};
    for (int i = 0; i < 8; ++i) {
        grid->addWidget(new QLabel(heads[i]), 0, i);
    }
    for (int k = 1; k <= kStoredConversions; ++k) {
        StoredConversionRow& r = m.row(k);
        field(reloads, grid, k, 0, r.button, 170, static_cast<int>(kButtonLabelSlot))
            ->setObjectName(QString("button%1").arg(k));
        field(reloads, grid, k, 1, r.channel, 190, kLabelWidth);
        auto* poly = new QCheckBox;
        poly->setObjectName(QString("poly%1").arg(k));
        poly->setChecked(r.poly());
        grid->addWidget(poly, k, 2);
        QObject::connect(poly, &QCheckBox::toggled, &d, [&r](bool on) { r.setPoly(on); });
        reloads.push_back([poly, &r] { poly->setChecked(r.poly()); });
        for (int e = 0; e < 5; ++e) {
            field(reloads, grid, k, 3 + e, r.fields[static_cast<size_t>(e)], 64);
        }
    }
    cl->addLayout(grid);
    cl->addWidget(new QLabel("<b>Three-degree polynomial conversion:</b>"));
    auto* three = new QGridLayout;
    const char* threeHeads[] = {"button label", "channel label", "A",  "B", "C", "D", "E",
                                "v = volts *",  "min",           "max"};
    for (int i = 0; i < 10; ++i) {
        three->addWidget(new QLabel(threeHeads[i]), 0, i);
    }
    StoredThreeWayRow& t = m.threeWay();
    field(reloads, three, 1, 0, t.button, 170, static_cast<int>(kButtonLabelSlot));
    field(reloads, three, 1, 1, t.channel, 150, kLabelWidth);
    for (int i = 0; i < 8; ++i) {
        field(reloads, three, 1, 2 + i, t.fields[static_cast<size_t>(i)], 84);
    }
    cl->addLayout(three);
    cl->addWidget(new QLabel("(A + B*v + C*v<sup>2</sup> + D*v<sup>3</sup>) * E"));
    tabs->addTab(custom, "Customize Conversions...");

    // Transfer Current Conversions...
    auto* transfer = new QWidget;
    auto* tl = new QVBoxLayout(transfer);
    tl->addWidget(new QLabel("<b>Transfer Current Voltage Conversions into Buttons</b>"));
    tl->addWidget(
        new QLabel("Select a conversion button...   to change to THIS channel's parameters"));
    auto* buttonGroup = new QButtonGroup(&d);
    auto* bRow = new QGridLayout;
    std::vector<QPushButton*> buttonBoxes;
    for (int k = 1; k <= kStoredConversions; ++k) {
        auto* b = new QPushButton(fromMacRoman(m.row(k).button));
        b->setCheckable(true);
        b->setAutoDefault(false);
        buttonGroup->addButton(b, k);
        bRow->addWidget(b, (k - 1) / 4, (k - 1) % 4);
        buttonBoxes.push_back(b);
    }
    tl->addLayout(bRow);
    auto* channelGroup = new QButtonGroup(&d);
    auto* cRow = new QGridLayout;
    for (int c = 1; c <= kMaxChannels; ++c) {
        auto* b = new QPushButton(QString("chan. %1").arg(c));
        b->setCheckable(true);
        b->setAutoDefault(false);
        b->setToolTip(fromMacRoman(p.channels.label(c)).trimmed());
        channelGroup->addButton(b, c);
        cRow->addWidget(b, (c - 1) / 8, (c - 1) % 8);
    }
    tl->addLayout(cRow);
    auto* select = new QPushButton("Select");
    select->setAutoDefault(false);
    auto* saveChange = new QPushButton("Save this Change");
    saveChange->setAutoDefault(false);
    auto* transferNote = new QLabel;
    transferNote->setWordWrap(true);
    auto* tButtons = new QHBoxLayout;
    tButtons->addWidget(select);
    tButtons->addWidget(saveChange);
    tButtons->addStretch();
    tl->addLayout(tButtons);
    tl->addWidget(transferNote);
    tl->addStretch();
    tabs->addTab(transfer, "Transfer Current Conversions...");
    // The close box keeps what the transfer page did, as "Conversions OK" does.
    QObject::connect(&d, &QDialog::rejected, &d, [&] { m.store(p.conversion); });

    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton("Save Conversions...");
    auto* ok = new QPushButton("Conversions OK");
    save->setAutoDefault(false);
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(ok);
    layout->addLayout(buttons);

    QObject::connect(select, &QPushButton::clicked, &d, [&] {
        const int k = buttonGroup->checkedId();
        const int c = channelGroup->checkedId();
        if (k < 1 || c < 1) {
            transferNote->setText("Select a conversion button and a channel first.");
            return;
        }
        // The page edits the table itself; the customize page is rebuilt from it afterwards.
        m.store(p.conversion);
        if (!CUSTOMTRANSFER(p, p.conversion, k, c)) {
            io.sounds.play("bzot");
            transferNote->setText(
                "Only linear, power, 2-degree polynomial, log10 and reciprocal "
                "conversions can be stored in a button.");
            return;
        }
        io.sounds.play("upvip");
        m = StoredConversionsModel(p.conversion);
        buttonBoxes[static_cast<size_t>(k - 1)]->setText(fromMacRoman(m.row(k).button));
        for (const auto& reload : reloads) {
            reload();
        }
        transferNote->setText(
            QString("Button %1 now holds channel %2's conversion.").arg(k).arg(c));
    });
    QObject::connect(saveChange, &QPushButton::clicked, &d, [&] {
        m.store(p.conversion);
        SAVEsettings(p, io.host, io.sounds);
    });
    QObject::connect(save, &QPushButton::clicked, &d, [&] {
        m.store(p.conversion);
        SAVEsettings(p, io.host, io.sounds);
    });
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        m.store(p.conversion);
        d.accept();
    });
    d.exec();
}

}  // namespace trindel::gui
