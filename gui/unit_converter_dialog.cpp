// "Unit Interconversions": category buttons, the conversions pop-up, the input and result.
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "calculator_windows.h"
#include "calculators/unit_converter_window.h"

namespace trindel::gui {

void runUnitConverterWindow(QWidget* parent) {
    UnitConverterWindow m;
    QDialog d(parent);
    d.setWindowTitle("Unit Interconversions");
    auto* layout = new QVBoxLayout(&d);
    auto* categories = new QButtonGroup(&d);
    auto* catGrid = new QGridLayout;
    for (int c = kUnitCategoryFirst; c <= kUnitCategoryLast; ++c) {
        auto* b = new QRadioButton(utf8(unitCategoryTitle(c)));
        b->setChecked(c == m.category());
        categories->addButton(b, c);
        catGrid->addWidget(b, (c - kUnitCategoryFirst) / 2, (c - kUnitCategoryFirst) % 2);
    }
    layout->addLayout(catGrid);
    auto* popRow = new QHBoxLayout;
    popRow->addWidget(new QLabel("Unit category:"));
    auto* items = new QComboBox;
    popRow->addWidget(items, 1);
    layout->addLayout(popRow);

    auto* row = new QHBoxLayout;
    auto* input = new QLineEdit(utf8(m.input));
    input->setObjectName("input");
    input->setFixedWidth(110);
    auto* from = new QLabel;
    auto* result = new QLabel;
    result->setObjectName("result");
    QFont bf = result->font();
    bf.setBold(true);
    result->setFont(bf);
    result->setMinimumWidth(110);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* to = new QLabel;
    row->addWidget(input);
    row->addWidget(from);
    row->addWidget(new QLabel("= "));
    row->addWidget(result);
    row->addWidget(to);
    row->addStretch();
    layout->addLayout(row);
    auto* note = new QLabel;
    note->setWordWrap(true);
    note->setMinimumHeight(40);
    note->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(note);

    auto* swap = new QPushButton("Swap Results");
    swap->setAutoDefault(false);
    auto* compute = new QPushButton("Compute");
    compute->setDefault(true);
    auto* done = new QPushButton("Done");
    done->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(swap);
    buttons->addStretch();
    buttons->addWidget(helpButton(&d, "Unit Conversions", UnitConverterWindow::helpText()));
    buttons->addWidget(compute);
    buttons->addWidget(done);
    layout->addLayout(buttons);

    const auto fillItems = [&] {
        const QSignalBlocker block(items);
        items->clear();
        for (const UnitConversion& c : unitConversions(m.category())) {
            items->addItem(c.none
                               ? QString("(none)")
                               : utf8(c.from) + QString::fromUtf8(" \xE2\x86\x92 ") + utf8(c.to));
        }
    };
    const auto show = [&] {
        {
            const QSignalBlocker block(items);
            items->setCurrentIndex(m.item() - 1);
        }
        input->setText(utf8(m.input));
        from->setText(utf8(m.fromUnit()));
        to->setText(utf8(m.toUnit()));
        result->setText(utf8(m.result()));
        note->setText(utf8(m.note()));
    };
    QObject::connect(categories, &QButtonGroup::idClicked, &d, [&](int id) {
        m.input = input->text().toStdString();
        m.chooseCategory(id);
        fillItems();
        show();
    });
    QObject::connect(items, &QComboBox::activated, &d, [&](int index) {
        m.input = input->text().toStdString();
        m.chooseItem(index + 1);
        show();
    });
    QObject::connect(compute, &QPushButton::clicked, &d, [&] {
        m.input = input->text().toStdString();
        m.compute();
        show();
    });
    QObject::connect(swap, &QPushButton::clicked, &d, [&] {
        m.swapResults();
        show();
    });
    QObject::connect(done, &QPushButton::clicked, &d, &QDialog::accept);
    fillItems();
    show();
    d.resize(620, d.sizeHint().height());
    d.exec();
}

}  // namespace trindel::gui
