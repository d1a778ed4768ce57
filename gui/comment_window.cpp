// The file-comment windows shown before a binary or ExpeData file is written.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "files/comment_model.h"
#include "qt_platform.h"
#include "windows.h"

namespace trindel::gui {

namespace {

QString fromMac(const std::string& s) {
    QString q = fromMacRoman(s);
    q.replace('\r', '\n');
    return q;
}

std::string toMac(const QString& s) {
    QString q = s;
    q.replace('\n', '\r');
    return toMacRoman(q);
}

}  // namespace

void runCommentWindow(QWidget* parent, Program& p, bool expeData) {
    QDialog d(parent);
    auto* layout = new QVBoxLayout(&d);
    auto* comment = new QPlainTextEdit;
    if (expeData) {
        ExpeDataCommentModel model(p.notes.CommentContainer, p.session.SwitchingMode);
        d.setWindowTitle(ExpeDataCommentModel::kTitle);
        auto* count = new QLabel;
        layout->addWidget(new QLabel("File comment:"));
        layout->addWidget(comment);
        layout->addWidget(count);
        comment->setPlainText(fromMac(model.comment()));
        const auto refresh = [&] {
            count->setText(QString("%1 of %2 characters%3")
                               .arg(model.length())
                               .arg(model.maximum())
                               .arg(model.warningShown() ? "  (full)" : ""));
        };
        QObject::connect(comment, &QPlainTextEdit::textChanged, &d, [&] {
            model.setComment(toMac(comment->toPlainText()));
            if (toMac(comment->toPlainText()) != model.comment()) {
                comment->setPlainText(fromMac(model.comment()));
            }
            refresh();
        });
        refresh();
        auto* box = new QDialogButtonBox(QDialogButtonBox::Ok);
        QObject::connect(box, &QDialogButtonBox::accepted, &d, &QDialog::accept);
        layout->addWidget(box);
        d.exec();
        p.notes.CommentContainer = model.comment();
        return;
    }
    GasExchangeFields values;
    values.flowrate = p.session.flowrate;
    values.mass = p.notes.mass;
    values.BarometricPressure = p.session.BarometricPressure;
    values.flowtemp = p.notes.flowtemp;
    values.EffectiveVolume = p.notes.EffectiveVolume;
    BinaryCommentModel model(p.notes.CommentContainer, values, p.files.ScopeFileComments != 0);
    d.setWindowTitle(QString::fromStdString(model.heading()));
    layout->addWidget(new QLabel("Edit file comments..."));
    comment->setPlaceholderText("Type your comments here...");
    comment->setPlainText(fromMac(model.comment()));
    layout->addWidget(comment);
    layout->addWidget(new QLabel("Edit gas exchange data as needed:"));
    auto* form = new QFormLayout;
    QLineEdit* fields[BinaryCommentModel::kFieldCount];
    for (int f = 0; f < BinaryCommentModel::kFieldCount; ++f) {
        const auto field = static_cast<BinaryCommentModel::Field>(f);
        fields[f] = new QLineEdit(QString::fromStdString(model.fieldText(field)));
        form->addRow(BinaryCommentModel::fieldLabel(field), fields[f]);
    }
    layout->addLayout(form);
    auto* stp = new QPushButton("Set to STP Conditions");
    stp->setAutoDefault(false);
    layout->addWidget(stp);
    QObject::connect(stp, &QPushButton::clicked, &d, [&] {
        model.setToSTP();
        for (int f = 0; f < BinaryCommentModel::kFieldCount; ++f) {
            fields[f]->setText(
                QString::fromStdString(model.fieldText(static_cast<BinaryCommentModel::Field>(f))));
        }
    });
    auto* ok = new QPushButton("Comments OK");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    layout->addWidget(ok);
    d.exec();
    model.setComment(toMac(comment->toPlainText()));
    for (int f = 0; f < BinaryCommentModel::kFieldCount; ++f) {
        model.setFieldText(static_cast<BinaryCommentModel::Field>(f),
                           fields[f]->text().toStdString());
    }
    const auto result = model.close();
    p.notes.CommentContainer = result.comment;
    p.session.flowrate = result.values.flowrate;
    p.notes.mass = result.values.mass;
    p.session.BarometricPressure = result.values.BarometricPressure;
    p.notes.flowtemp = result.values.flowtemp;
    p.notes.EffectiveVolume = result.values.EffectiveVolume;
}

}  // namespace trindel::gui
