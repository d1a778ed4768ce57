#include "switching_window.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "control/switching_setup.h"
#include "qt_platform.h"

namespace trindel::gui {

namespace {

// "Switch Marker and Zero Options".
void runSwitchOptions(QWidget* parent, SwitchingState& sw) {
    QDialog d(parent);
    d.setWindowTitle("Switch Marker and Zero Options");
    auto* layout = new QVBoxLayout(&d);
    auto* letters = new QRadioButton("Use 'R' for Reference and 'S' for Sample", &d);
    auto* digits = new QRadioButton("Use the Device Number as the Switch Marker", &d);
    (sw.ShowSwitchDeviceAsMarker != 0 ? digits : letters)->setChecked(true);
    layout->addWidget(letters);
    layout->addWidget(digits);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Set unread channels to: ", &d));
    auto* value = new QLineEdit(QString::number(sw.DeviceSwitchZeroValue), &d);
    row->addWidget(value);
    layout->addLayout(row);
    auto* done = new QPushButton("Done", &d);
    layout->addWidget(done);
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    d.exec();
    bool ok = false;
    const float v = value->text().toFloat(&ok);
    setSwitchOptions(sw, digits->isChecked(), ok ? v : sw.DeviceSwitchZeroValue);
}

class SwitchingDialog : public QDialog {
  public:
    SwitchingDialog(QWidget* parent, Program& p, SwitchEffects& fx)
        : QDialog(parent), p_(p), model_(p, fx) {
        setWindowTitle("Digitial Control of External Devices");
        auto* layout = new QVBoxLayout(this);
        auto* top = new QGridLayout;
        top->addWidget(new QLabel("mode:", this), 0, 0);
        mode_ = new QComboBox(this);
        const auto& items = switchingSchemeItems();
        for (int item = 1; item <= 10; ++item) {
            if (items[static_cast<size_t>(item)].empty()) {
                mode_->insertSeparator(mode_->count());
                itemAt_.push_back(0);
            } else {
                mode_->addItem(QString::fromUtf8(items[static_cast<size_t>(item)].data(),
                                                 items[static_cast<size_t>(item)].size()));
                itemAt_.push_back(item);
            }
        }
        top->addWidget(mode_, 0, 1, 1, 3);
        top->addWidget(new QLabel("output code:", this), 1, 0);
        oneLine_ = new QRadioButton(this);
        threeBit_ = new QRadioButton(this);
        top->addWidget(oneLine_, 1, 1);
        top->addWidget(threeBit_, 1, 2);
        twoGroups_ = new QCheckBox(this);
        top->addWidget(twoGroups_, 2, 0, 1, 4);
        layout->addLayout(top);
        dynamic_ = new QWidget(this);
        layout->addWidget(dynamic_);
        auto* fields = new QGridLayout;
        refLabel_ = new QLabel("Reference interval (min)", this);
        seqLabel_ = new QLabel("Sequence interval (min)", this);
        refint_ = new QLineEdit(QString::number(p.switching.refint), this);
        switchint_ = new QLineEdit(QString::number(p.switching.switchint), this);
        fields->addWidget(refLabel_, 0, 0);
        fields->addWidget(refint_, 0, 1);
        fields->addWidget(seqLabel_, 1, 0);
        fields->addWidget(switchint_, 1, 1);
        extraZero_ = new QCheckBox("Extra Zero Links", this);
        marker_ = new QCheckBox("Insert Marker at Switch Time", this);
        skip_ = new QCheckBox("No References Between Channels", this);
        fields->addWidget(extraZero_, 0, 2);
        fields->addWidget(marker_, 1, 2);
        fields->addWidget(skip_, 2, 2);
        layout->addLayout(fields);
        auto* buttons = new QHBoxLayout;
        auto* check = new QPushButton("Check Configuration", this);
        auto* options = new QPushButton("Switch Marker and Zeroing Options\u2026", this);
        ok_ = new QPushButton("Setup OK", this);
        ok_->setDefault(true);
        buttons->addWidget(check);
        buttons->addWidget(options);
        buttons->addStretch();
        buttons->addWidget(ok_);
        layout->addLayout(buttons);

        connect(mode_, &QComboBox::activated, this, [this](int index) {
            act([&] { model_.chooseScheme(itemAt_[static_cast<size_t>(index)]); });
        });
        connect(oneLine_, &QRadioButton::clicked, this,
                [this] { act([&] { model_.chooseOutputCode(0); }); });
        connect(threeBit_, &QRadioButton::clicked, this,
                [this] { act([&] { model_.chooseOutputCode(1); }); });
        connect(twoGroups_, &QCheckBox::clicked, this,
                [this] { act([&] { model_.toggleTwoGroups(); }); });
        connect(extraZero_, &QCheckBox::clicked, this,
                [this] { act([&] { model_.toggleExtraZeroLinks(); }); });
        connect(marker_, &QCheckBox::clicked, this,
                [this] { act([&] { model_.toggleMarkerAtSwitch(); }); });
        connect(skip_, &QCheckBox::clicked, this,
                [this] { act([&] { model_.toggleSkipRefs(); }); });
        connect(refint_, &QLineEdit::editingFinished, this, [this] { act([] {}); });
        connect(switchint_, &QLineEdit::editingFinished, this, [this] { act([] {}); });
        connect(check, &QPushButton::clicked, this, [this] { act([] {}); });
        connect(options, &QPushButton::clicked, this,
                [this] { act([&] { runSwitchOptions(this, p_.switching); }); });
        connect(ok_, &QPushButton::clicked, this, [this] {
            readIntervals();
            if (model_.close().closed) {
                accept();
            } else {
                refresh();
            }
        });
        refresh();
    }

  private:
    void readIntervals() {
        model_.setIntervals(refint_->text().toFloat(), switchint_->text().toFloat());
    }
    // Every event: the change, the interval fields read, everything shown again.
    template <typename F>
    void act(F change) {
        change();
        readIntervals();
        refresh();
    }

    void refresh() {
        const int mode = model_.mode();
        mode_->setCurrentIndex(model_.schemeItem() - 1);
        oneLine_->setText(QString::fromStdString(model_.outputCodeLabel(0)));
        threeBit_->setText(QString::fromStdString(model_.outputCodeLabel(1)));
        (p_.prefs[kPrefDigitalControlMode] == 0 ? oneLine_ : threeBit_)->setChecked(true);
        twoGroups_->setText(QString::fromStdString(model_.twoGroupsLabel()));
        twoGroups_->setChecked(p_.switching.nGroups == 2);
        twoGroups_->setEnabled(model_.twoGroupsEnabled());
        refLabel_->setVisible(model_.showsReferenceInterval());
        refint_->setVisible(model_.showsReferenceInterval());
        seqLabel_->setVisible(model_.showsSequenceInterval());
        switchint_->setVisible(model_.showsSequenceInterval());
        extraZero_->setEnabled(model_.extraZeroEnabled());
        extraZero_->setChecked(p_.switching.zerolink[0][0] != 0);
        marker_->setChecked(p_.prefs[kPrefMarkerAtDeviceSwitch] != 0);
        skip_->setVisible(model_.showsSkipRefs());
        skip_->setChecked(p_.switching.SkipRefsBetweenChannels != 0);
        ok_->setEnabled(model_.setupOk());
        rebuildRows(mode);
        adjustSize();
    }

    QPushButton* deviceButton(QWidget* parent, const QString& text, bool on) {
        auto* b = new QPushButton(text, parent);
        b->setCheckable(true);
        b->setChecked(on);
        // Wide enough for its whole text ("Device # 8") in any style.
        b->setMinimumWidth(std::max(28, b->fontMetrics().horizontalAdvance(text) + 16));
        return b;
    }

    void rebuildRows(int mode) {
        delete dynamic_->layout();
        for (QWidget* w : dynamic_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            // Out of the window at once (a clicked button may still be in its own signal).
            w->hide();
            w->setParent(nullptr);
            w->deleteLater();
        }
        auto* grid = new QGridLayout(dynamic_);
        const SwitchingState& sw = p_.switching;
        auto* refRow = new QHBoxLayout;
        refRow->addWidget(new QLabel("Reference:", dynamic_));
        for (int d = 1; d <= model_.referenceButtonCount(); ++d) {
            auto* b = deviceButton(dynamic_, QString("Device # %1").arg(d),
                                   d == sw.RefChan || d == sw.RefChan2);
            b->setEnabled(mode != 0);
            connect(b, &QPushButton::clicked, this,
                    [this, d] { act([&] { model_.pressReferenceDevice(d); }); });
            refRow->addWidget(b);
        }
        refRow->addStretch();
        grid->addLayout(refRow, 0, 0, 1, 12);
        if (model_.oneChannelRows()) {
            grid->addWidget(new QLabel("Devices to use:", dynamic_), 1, 0);
            for (int d = 1; d <= 8; ++d) {
                auto* b = deviceButton(dynamic_, QString::number(d), model_.deviceInUse(d));
                connect(b, &QPushButton::clicked, this,
                        [this, d] { act([&] { model_.toggleDeviceInUse(d); }); });
                grid->addWidget(b, 1, d);
            }
            grid->addWidget(new QLabel("Channel to switch:", dynamic_), 2, 0);
            for (int c = 1; c <= p_.session.nChan; ++c) {
                auto* b = deviceButton(dynamic_, QString::number(c), model_.switchedChannel() == c);
                connect(b, &QPushButton::clicked, this,
                        [this, c] { act([&] { model_.chooseSwitchedChannel(c); }); });
                grid->addWidget(b, 2, c);
            }
            return;
        }
        grid->addWidget(new QLabel("Select the devices for switched channels:", dynamic_), 1, 0, 1,
                        12);
        const char* heads[] = {"Channel number and label", "Status (on/off)", "Device number"};
        grid->addWidget(new QLabel(heads[0], dynamic_), 2, 0);
        grid->addWidget(new QLabel(heads[1], dynamic_), 2, 1);
        grid->addWidget(new QLabel(heads[2], dynamic_), 2, 2, 1, 9);
        grid->addWidget(new QLabel("Group", dynamic_), 2, 11);
        grid->addWidget(new QLabel("Switch pattern", dynamic_), 2, 12);
        for (int c = 1; c <= p_.session.nChan; ++c) {
            const int device = model_.channelDevice(c);
            const QString label =
                QString("%1  %2").arg(c).arg(fromMacRoman(p_.channels.label(c)).trimmed());
            grid->addWidget(new QLabel(label, dynamic_), c + 2, 0);
            grid->addWidget(new QLabel(device != 0 ? "on" : "off", dynamic_), c + 2, 1);
            for (int d = 0; d <= 8; ++d) {
                auto* b = deviceButton(dynamic_, QString::number(d), d == device);
                b->setEnabled(mode != 0 && (d == 0 || d <= model_.referenceButtonCount()));
                connect(b, &QPushButton::clicked, this,
                        [this, c, d] { act([&] { model_.pressChannelDevice(c, d); }); });
                grid->addWidget(b, c + 2, 2 + d);
            }
            const QString group = device == 0 ? QString()
                                  : p_.switching.nGroups == 2
                                      ? QString("  Group %1").arg(model_.groupOf(device))
                                      : QString("Combined");
            grid->addWidget(new QLabel(group, dynamic_), c + 2, 11);
            grid->addWidget(
                new QLabel(QString::fromStdString(model_.switchPattern(device)), dynamic_), c + 2,
                12);
        }
    }

    Program& p_;
    SwitchingSetupModel model_;
    std::vector<int> itemAt_;
    QComboBox* mode_ = nullptr;
    QRadioButton* oneLine_ = nullptr;
    QRadioButton* threeBit_ = nullptr;
    QCheckBox* twoGroups_ = nullptr;
    QWidget* dynamic_ = nullptr;
    QLabel* refLabel_ = nullptr;
    QLabel* seqLabel_ = nullptr;
    QLineEdit* refint_ = nullptr;
    QLineEdit* switchint_ = nullptr;
    QCheckBox* extraZero_ = nullptr;
    QCheckBox* marker_ = nullptr;
    QCheckBox* skip_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace

bool runSwitchingSetupWindow(QWidget* parent, Program& p, SwitchEffects& fx) {
    SwitchingDialog d(parent, p, fx);
    return d.exec() == QDialog::Accepted;
}

}  // namespace trindel::gui
