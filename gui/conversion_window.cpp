// The conversion window of a channel and its "Additional Options…" window, bound to their models.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt_platform.h"
#include "setup_windows.h"
#include "signal/conversion_options_window.h"
#include "signal/conversion_window.h"
#include "windows.h"

namespace trindel::gui {

namespace {

template <size_t N>
QComboBox* choiceBox(const OptionsChoice (&choices)[N], int current) {
    auto* box = new QComboBox;
    for (const OptionsChoice& c : choices) {
        box->addItem(QString::fromUtf8(c.text), c.code);
    }
    const int at = box->findData(current);
    box->setCurrentIndex(at >= 0 ? at : 0);
    return box;
}

QLineEdit* field(const std::string& text) {
    auto* e = new QLineEdit(QString::fromStdString(text));
    e->setMaximumWidth(110);
    return e;
}

}  // namespace

bool runConversionOptionsWindow(QWidget* parent, SpecialOpsRecord& record, int channel,
                                const std::string& label) {
    ConversionOptionsModel m(record);
    QDialog d(parent);
    d.setObjectName("conversionOptions");
    d.setWindowTitle(fromMacRoman(ConversionOptionsModel::title(channel, label)));
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(new QLabel("Aerial respirometry and water loss functions\xE2\x80\xA6"));
    auto* ops = new QGridLayout;
    const char* names[] = {"Compute VO2", "Compute VCO2", "Compute EWL"};
    const char* from[] = {"(from % O<sub>2</sub>)", "(from % CO<sub>2</sub>)", "(from % R.H.)"};
    std::vector<QPushButton*> opButtons;
    for (int op = 1; op <= 3; ++op) {
        const int row = (op - 1) * 2;
        auto* b = new QPushButton(names[op - 1]);
        b->setCheckable(true);
        b->setAutoDefault(false);
        opButtons.push_back(b);
        ops->addWidget(b, row, 0);
        ops->addWidget(new QLabel(from[op - 1]), row, 1);
        QComboBox* variant = op == 1 ? choiceBox(kVO2VariantChoices, m.variant())
                                     : choiceBox(kVCO2VariantChoices, m.variant());
        variant->setVisible(op != 3);
        auto* unit = choiceBox(kUnitChoices, m.unit());
        auto* source = choiceBox(kFlowSourceChoices, m.flowSource());
        auto* flow = field(m.flowField(op));
        flow->setObjectName(QString("flow%1").arg(op));
        ops->addWidget(variant, row, 2);
        ops->addWidget(unit, row, 3);
        ops->addWidget(new QLabel("flow rate source     (in ml/min)"), row + 1, 1);
        ops->addWidget(source, row + 1, 2);
        ops->addWidget(flow, row + 1, 3);
        QObject::connect(variant, &QComboBox::activated, &d,
                         [&m, variant] { m.setVariant(variant->currentData().toInt()); });
        QObject::connect(unit, &QComboBox::activated, &d,
                         [&m, unit] { m.setUnit(unit->currentData().toInt()); });
        QObject::connect(source, &QComboBox::activated, &d,
                         [&m, source] { m.setFlowSource(source->currentData().toInt()); });
        QObject::connect(flow, &QLineEdit::textChanged, &d,
                         [&m, op](const QString& t) { m.setFlowField(op, t.toStdString()); });
    }
    layout->addLayout(ops);
    const auto refreshOps = [&] {
        for (int op = 1; op <= 3; ++op) {
            opButtons[static_cast<size_t>(op - 1)]->setChecked(m.operation() == op);
        }
    };
    for (int op = 1; op <= 3; ++op) {
        QObject::connect(opButtons[static_cast<size_t>(op - 1)], &QPushButton::clicked, &d,
                         [&, op] {
                             m.clickOperation(op);
                             refreshOps();
                         });
    }
    refreshOps();
    auto* form = new QFormLayout;
    auto* fio2 = field(m.fio2Text());
    auto* fico2 = field(m.fico2Text());
    auto* rq = field(m.rqText());
    auto* temp = field(m.temperatureText());
    auto* z = field(m.zText());
    form->addRow("FI<sub>O2</sub>", fio2);
    form->addRow("FI<sub>CO2</sub>", fico2);
    form->addRow("RQ", rq);
    form->addRow(
        "t, RH  (\xC2\xB0"
        "C)",
        temp);
    auto* response = new QCheckBox("Response correction:");
    response->setChecked(m.responseCorrection());
    form->addRow(response);
    form->addRow("Z- Transformation; Z Value:", z);
    layout->addLayout(form);
    auto* onlyShow = new QRadioButton("Display Only");
    auto* save = new QRadioButton("Display && Save");
    (m.displayAndSave() ? save : onlyShow)->setChecked(true);
    auto* keep = new QHBoxLayout;
    keep->addWidget(onlyShow);
    keep->addWidget(save);
    layout->addLayout(keep);
    auto* done = new QPushButton("Done");
    done->setDefault(true);
    layout->addWidget(done);
    bool stored = false;
    QObject::connect(done, &QPushButton::clicked, &d, [&] {
        m.setFio2(fio2->text().toStdString());
        m.setFico2(fico2->text().toStdString());
        m.setRq(rq->text().toStdString());
        m.setTemperature(temp->text().toStdString());
        m.setZ(z->text().toStdString());
        m.setResponseCorrection(response->isChecked());
        m.setDisplayAndSave(save->isChecked());
        record = m.done();
        stored = true;
        d.accept();
    });
    d.exec();
    return stored;
}

namespace {

bool conversionWindow(QWidget* parent, Program& p, Platform* io, int channel) {
    ConversionWindowModel m(p, channel);
    QDialog d(parent);
    d.setObjectName("conversionWindow");
    d.setWindowTitle(QString::fromStdString(m.title()));
    auto* outer = new QHBoxLayout(&d);
    auto* left = new QVBoxLayout;
    auto* group = new QButtonGroup(&d);
    const auto& buttons = m.buttons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        auto* b = new QPushButton(fromMacRoman(buttons[i].text));
        b->setCheckable(true);
        b->setAutoDefault(false);
        group->addButton(b, static_cast<int>(i));
        left->addWidget(b);
    }
    auto* breakpoint = new QPushButton("Breakpoint Conversion\xE2\x80\xA6");
    auto* options = new QPushButton("Additional Options\xE2\x80\xA6");
    auto* calibration = new QPushButton("Direct Calibration\xE2\x80\xA6");
    auto* ok = new QPushButton("Selection OK");
    breakpoint->setAutoDefault(false);
    options->setAutoDefault(false);
    calibration->setAutoDefault(false);
    options->setVisible(m.additionalOptionsOffered());
    calibration->setVisible(io != nullptr && m.directCalibrationOffered());
    ok->setDefault(true);
    for (QPushButton* b : {breakpoint, options, calibration, ok}) {
        left->addWidget(b);
    }
    outer->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* labelField = new QLineEdit(fromMacRoman(m.label()));
    labelField->setMaxLength(kLabelWidth);
    labelField->setObjectName("channelLabel");
    auto* labelRow = new QFormLayout;
    labelRow->addRow("Channel label:", labelField);
    right->addLayout(labelRow);
    auto* equation = new QLabel;
    equation->setTextFormat(Qt::RichText);
    right->addWidget(equation);
    auto* coeffs = new QFormLayout;
    std::vector<QLabel*> captions;
    std::vector<QLineEdit*> edits;
    for (int i = 0; i < 6; ++i) {
        auto* caption = new QLabel;
        auto* edit = new QLineEdit;
        edit->setObjectName(QString("coefficient%1").arg(i));
        coeffs->addRow(caption, edit);
        captions.push_back(caption);
        edits.push_back(edit);
        QObject::connect(edit, &QLineEdit::textChanged, &d,
                         [&m, i](const QString& t) { m.setField(i, t.toStdString()); });
    }
    right->addLayout(coeffs);
    auto* rangeBox = new QGroupBox("Display range");
    auto* rangeForm = new QFormLayout(rangeBox);
    auto* maxField = new QLineEdit;
    auto* minField = new QLineEdit;
    maxField->setObjectName("maximumY");
    minField->setObjectName("minimumY");
    rangeForm->addRow("Maximum visible Y", maxField);
    rangeForm->addRow("Minimum visible Y", minField);
    right->addWidget(rangeBox);
    right->addStretch();
    outer->addLayout(right);

    const auto refresh = [&] {
        const auto names = m.fieldCaptions();
        const auto texts = m.fieldTexts();
        for (size_t i = 0; i < 6; ++i) {
            const bool shown = i < names.size();
            captions[i]->setVisible(shown);
            edits[i]->setVisible(shown);
            if (shown) {
                captions[i]->setText(QString::fromStdString(names[i]));
                edits[i]->setText(QString::fromStdString(texts[i]));
            }
        }
        equation->setText(QString::fromStdString(m.equationText()));
        labelField->setText(fromMacRoman(m.label()));
        maxField->setText(QString::fromStdString(m.maximumText()));
        minField->setText(QString::fromStdString(m.minimumText()));
        const int chosen = m.chosenButton();
        group->setExclusive(false);
        for (QAbstractButton* b : group->buttons()) {
            b->setChecked(group->id(b) == chosen);
        }
        group->setExclusive(true);
    };
    QObject::connect(group, &QButtonGroup::idClicked, &d, [&](int id) {
        const ConversionButton& b = buttons[static_cast<size_t>(id)];
        m.choose(b.choice, b.stored);
        refresh();
        group->button(id)->setChecked(true);
    });
    QObject::connect(labelField, &QLineEdit::textChanged, &d,
                     [&](const QString& t) { m.setLabel(toMacRoman(t)); });
    QObject::connect(maxField, &QLineEdit::textChanged, &d,
                     [&](const QString& t) { m.setMaximum(t.toStdString()); });
    QObject::connect(minField, &QLineEdit::textChanged, &d,
                     [&](const QString& t) { m.setMinimum(t.toStdString()); });
    QObject::connect(options, &QPushButton::clicked, &d, [&] {
        runConversionOptionsWindow(&d, m.specialOps(), m.channel(), m.label());
    });
    QObject::connect(calibration, &QPushButton::clicked, &d, [&] {
        runCalibrationWindow(&d, p, *io, m);
        refresh();
    });
    bool stored = false;
    QObject::connect(ok, &QPushButton::clicked, &d, [&] {
        m.selectionOK(p);
        stored = true;
        d.accept();
    });
    QObject::connect(breakpoint, &QPushButton::clicked, &d, [&] {
        // The breakpoint window edits the channel itself; the rest of this window is kept.
        m.selectionOK(p);
        stored = runBreakpointWindow(&d, p, m.channel());
        d.accept();
    });
    refresh();
    d.exec();
    return stored;
}

}  // namespace

bool runConversionWindow(QWidget* parent, Program& p, Platform& io, int channel) {
    return conversionWindow(parent, p, &io, channel);
}

bool runConversionWindow(QWidget* parent, Program& p, int channel) {
    return conversionWindow(parent, p, nullptr, channel);
}

}  // namespace trindel::gui
