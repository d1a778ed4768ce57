// Starts the desktop program offscreen and works it through its real windows: demonstration
// source, four chart channels, a short recording, Stop, a declined Quit, saving in the three
// formats (each read back), and Quit. Saves screenshots of the main windows on the way.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "desktop_program.h"
#include "files/recording_file_reader.h"

using namespace trindel;
using namespace trindel::gui;

namespace {

QAbstractButton* buttonNamed(QWidget* w, const QString& text) {
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
        if (b->text() == text && b->isVisible()) {
            return b;
        }
    }
    return nullptr;
}

QString shot(const QString& name) {
    return QDir(TRINDEL_SCREENSHOT_DIR).filePath(name);
}

// Saves a screenshot and checks it is a real picture of the window (not blank).
void saveShot(QWidget* w, const QString& name) {
    QDir().mkpath(TRINDEL_SCREENSHOT_DIR);
    const QImage image = w->grab().toImage();
    QVERIFY(image.width() > 100 && image.height() > 100);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            colours.insert(image.pixel(x, y));
        }
    }
    QVERIFY2(colours.size() > 3, qPrintable(name + " looks blank"));
    QVERIFY(image.save(shot(name)));
}

}  // namespace

class RecordingTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void demonstrationRunSavedInEachFormat();
};

void RecordingTest::demonstrationRunSavedInEachFormat() {
    DesktopProgram program;
    Program& p = program.program();
    const QString folder = QDir(TRINDEL_SCREENSHOT_DIR).filePath("saved");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);

    QStringList seen;
    int optionsVisits = 0;
    bool declinedQuitAnswered = false;
    bool recordingShot = false;
    bool markerTyped = false, noteOpened = false, noteTaken = false, paused = false;
    bool pauseSeen = false;
    QStringList commentTitles;
    bool stopped = false;
    // The channel set-up: a label and range typed into the rows, channel 2 linear through its
    // conversion window, channel 3 a VO2 rate through "Additional Options…".
    int setupStep = 0;
    bool optionsDone = false;
    const auto clickLater = [](QAbstractButton* b) {
        QVERIFY(b != nullptr);
        QMetaObject::invokeMethod(b, &QAbstractButton::click, Qt::QueuedConnection);
    };
    QString pendingSave;
    const QStringList formats = {"Kestrine Binary Rormat", "ASCII Text Format",
                                 "Sable ExpeData Format"};
    QStringList savedFiles;

    const auto menuAction = [&](const QString& text) -> QAction* {
        for (QAction* a : program.window().findChildren<QAction*>()) {
            if (a->text() == text) {
                return a;
            }
        }
        return nullptr;
    };

    QTimer script;
    script.setInterval(20);
    QObject::connect(&script, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        // The options window leaves the menu bar usable, so it is not modal.
        auto* options = program.window().findChild<QDialog*>("OptionsWindow");
        if (modal == nullptr && options != nullptr && options->isVisible()) {
            modal = options;
        }
        if (modal == nullptr && !stopped && p.session.Sample >= 8 &&
            program.window().chartView()->isVisible()) {
            // During the run: a marker key, a note, a pause, a screenshot, then Stop.
            ChartView* view = program.window().chartView();
            if (!markerTyped) {
                markerTyped = true;
                QTest::keyClick(view, Qt::Key_A);
            } else if (!noteOpened && p.session.Sample >= 12) {
                noteOpened = true;
                program.window().findChild<QAction*>("toolbar-4")->trigger();
            } else if (noteOpened && !noteTaken) {
                for (QDialog* d : program.window().findChildren<QDialog*>()) {
                    if (d->windowTitle() == "Note" && d->isVisible()) {
                        d->findChild<QLineEdit*>()->setText("animal calm");
                        buttonNamed(d, "OK")->click();
                        noteTaken = true;
                    }
                }
            } else if (noteTaken && !paused && p.session.Sample >= 18) {
                paused = true;
                program.window().findChild<QAction*>("toolbar-2")->trigger();
            } else if (!recordingShot && p.session.Sample >= 25) {
                recordingShot = true;
                saveShot(&program.window(), "recording_window.png");
            } else if (p.session.Sample >= 40) {
                stopped = true;
                program.window().findChild<QAction*>("toolbar-1")->trigger();
            }
            return;
        }
        if (modal == nullptr) {
            return;
        }
        const QString title = modal->windowTitle();
        if (seen.isEmpty() || seen.last() != title) {
            seen << title;
        }
        if (title == "Startup Routines...") {
            saveShot(modal, "start_window.png");
            buttonNamed(modal, "Test Mode")->click();
        } else if (title == "Modes and Channels") {
            buttonNamed(modal, "4 Channels")->click();
            saveShot(modal, "modes_and_channels.png");
            buttonNamed(modal, "Selection OK")->click();
        } else if (title == "CHART Mode Acquisition Parameters") {
            auto* rows = modal->findChild<QTableWidget*>("channelRows");
            QVERIFY(rows != nullptr);
            if (setupStep == 0) {
                rows->item(0, 7)->setText("O2 in");
                rows->item(0, 5)->setText("25");
                saveShot(modal, "acquisition_parameters.png");
                setupStep = 1;
                clickLater(qobject_cast<QAbstractButton*>(rows->cellWidget(1, 8)));
            } else if (setupStep == 2) {
                setupStep = 3;
                clickLater(qobject_cast<QAbstractButton*>(rows->cellWidget(2, 8)));
            } else if (setupStep == 4) {
                setupStep = 5;
                buttonNamed(modal, "Setup OK")->click();
            }
        } else if (title == "Chart channel 2" && setupStep == 1) {
            buttonNamed(modal, "Linear")->click();
            modal->findChild<QLineEdit*>("coefficient0")->setText("2");
            modal->findChild<QLineEdit*>("coefficient1")->setText("3");
            modal->findChild<QLineEdit*>("channelLabel")->setText("flow");
            saveShot(modal, "conversion_window.png");
            setupStep = 2;
            buttonNamed(modal, "Selection OK")->click();
        } else if (title == "Chart channel 3" && setupStep == 3) {
            if (!optionsDone) {
                buttonNamed(modal, "Linear")->click();
                modal->findChild<QLineEdit*>("channelLabel")->setText("VO2");
                clickLater(buttonNamed(modal, "Additional Options\u2026"));
            } else {
                setupStep = 4;
                buttonNamed(modal, "Selection OK")->click();
            }
        } else if (title.startsWith(" Conversion Options, Channel 3")) {
            buttonNamed(modal, "Compute VO2")->click();
            modal->findChild<QLineEdit*>("flow1")->setText("500");
            saveShot(modal, "conversion_options.png");
            optionsDone = true;
            buttonNamed(modal, "Done")->click();
        } else if (title == "Sample Rate") {
            buttonNamed(modal, "1/60 second")->click();
            buttonNamed(modal, "5 sec")->click();  // 300 samples; the run is stopped earlier
            QCOMPARE(modal->findChild<QLineEdit*>("totalSamples")->text(), QString("300"));
            buttonNamed(modal, "Selection OK")->click();
        } else if (title.startsWith("Chart Halted at")) {
            ++optionsVisits;
            if (optionsVisits == 1) {
                saveShot(modal, "options_window.png");
                QTest::keyClick(modal, Qt::Key_Q);  // quit asks first: unsaved data
            } else if (savedFiles.size() < formats.size()) {
                menuAction(formats[savedFiles.size()])->trigger();
                pendingSave = QDir(folder).filePath(QString("run%1").arg(savedFiles.size()));
                buttonNamed(modal, "Save Data...   (any key)")->click();
            } else {
                buttonNamed(modal, "Quit   ('Q')")->click();
            }
        } else if (title.contains("Acquisition Pause")) {
            pauseSeen = true;
            modal->findChild<QLineEdit*>()->setText("door opened");
            buttonNamed(modal, "Resume")->click();
        } else if (title == "Possible Data Loss") {
            QTest::keyClick(modal, Qt::Key_X);  // ignored
            QTest::keyClick(modal, Qt::Key_N);
            declinedQuitAnswered = true;
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            // Type the whole path into the name field and press Return, as a user would.
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name != nullptr);
            name->setText(pendingSave);
            QTest::keyClick(name, Qt::Key_Return);
            if (!dialog->isVisible()) {
                savedFiles << pendingSave;
            }
        } else if (title == "Kestrine chart file" || title == "Sable ExpeData format" ||
                   title == "Caution" || title == "recording check") {
            commentTitles << title;
            auto* ok = buttonNamed(modal, title == "Kestrine chart file" ? "Comments OK" : "OK");
            QVERIFY(ok != nullptr);
            ok->click();
        }
    });
    script.start();
    program.run();
    script.stop();

    QVERIFY2(seen.contains("Startup Routines..."), qPrintable(seen.join(" | ")));
    QVERIFY(seen.contains("Modes and Channels"));
    QVERIFY(seen.contains("Sample Rate"));
    QVERIFY(declinedQuitAnswered);
    QVERIFY(recordingShot);
    QVERIFY(pauseSeen);
    QCOMPARE(commentTitles,
             (QStringList{"Kestrine chart file", "Caution", "Sable ExpeData format"}));
    QCOMPARE(p.notes.NumberOfNotes, 1);
    QCOMPARE(p.notes.fileRemarks[1].text, std::string("animal calm"));
    QVERIFY(p.notes.CumulativePauseContainer.find("door opened") != std::string::npos);
    // The key marker "a" and the pause mark.
    QCOMPARE(p.Markers.Nmarkers, 2);
    QCOMPARE(p.Markers[1].code, int32_t{'a'});
    QCOMPARE(p.Markers[2].code, kPauseMarkCode);
    QCOMPARE(program.driver().state(), RunState::Ended);
    QCOMPARE(p.session.nChan, 4);
    QCOMPARE(setupStep, 5);
    QCOMPARE(p.channels.label(1).substr(0, 6), std::string("O2 in "));
    QCOMPARE(p.channels.Nvar[1][kDisplayMax], 25.0f);
    QCOMPARE(p.channels.Nvar[2][kCoeffA], 2.0f);
    QCOMPARE(p.channels.Nvar[2][kCoeffB], 3.0f);
    QCOMPARE(p.conversion.SpecialOps[3][1], 1.0f);
    QCOMPARE(p.conversion.SpecialOps[3][4], 500.0f);
    // Stopped after about 40 scans; the options window counts one fewer than the scans taken.
    QVERIFY(p.session.nSamples >= 40 && p.session.nSamples < 60);
    QCOMPARE(p.session.Sample, p.session.nSamples - 1);
    QVERIFY(seen.contains(QString("Chart Halted at %1 Samples").arg(p.session.nSamples - 1)));
    QCOMPARE(savedFiles.size(), 3);
    QCOMPARE(p.prefs[kPrefDataSaved], 1);

    const RecordingFormat expected[] = {RecordingFormat::ChartBinary, RecordingFormat::Text,
                                        RecordingFormat::ExpeData};
    for (int i = 0; i < 3; ++i) {
        const ReadResult r = readRecordingFile(savedFiles[i].toStdString());
        QVERIFY2(r.ok, r.error.c_str());
        QCOMPARE(static_cast<int>(r.file.format), static_cast<int>(expected[i]));
        const Recording& rec = r.file.recording;
        QCOMPARE(static_cast<int>(rec.writtenCount()), 4);
        QCOMPARE(rec.sampleCount, p.session.Sample);
        if (expected[i] == RecordingFormat::ChartBinary) {
            QCOMPARE(static_cast<int>(rec.markers.size()), 2);
            QCOMPARE(static_cast<int>(rec.notes.size()), 1);
        }
        if (expected[i] != RecordingFormat::ExpeData) {
            QCOMPARE(rec.channels[1].label.substr(0, 5), std::string("flow "));
        }
        if (expected[i] == RecordingFormat::ChartBinary) {
            QCOMPARE(rec.channels[1].a, 2.0f);
            QCOMPARE(rec.channels[1].b, 3.0f);
        }
        for (size_t c = 0; c < 4; ++c) {
            for (int s : {0, 7, rec.sampleCount - 1}) {
                QCOMPARE(rec.data[c][static_cast<size_t>(s)],
                         p.store.get(static_cast<int>(c) + 1, s));
            }
        }
    }
    QVERIFY(QFile::exists(shot("start_window.png")));
    QVERIFY(QFile::exists(shot("options_window.png")));
}

QTEST_MAIN(RecordingTest)
#include "recording_test.moc"
