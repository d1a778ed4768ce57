// The calculator windows of the Special menu. Each runs its model from src/calculators/ to
// completion; the dialogs only bind widgets to the model's fields.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "platform/sounds.h"
#include "state/program.h"

class QGridLayout;
class QPushButton;

namespace trindel::gui {

// The Special menu's number.
inline constexpr int kSpecialMenu = 6;

// Runs the calculator of Special-menu item `item`; false when the item is no calculator.
bool runCalculator(QWidget* parent, Program& p, Sounds& sounds, int item);

void runStpWindow(QWidget* parent, Program& p);
void runAltitudeWindow(QWidget* parent, Program& p, Sounds& sounds);
void runAltitudeSimulationWindow(QWidget* parent);
void runPo2Window(QWidget* parent, Program& p);
void runFlowRateWindow(QWidget* parent, Program& p, Sounds& sounds);
void runClosedSystemWindow(QWidget* parent);
void runDissolvedOxygenWindow(QWidget* parent, Program& p);
void runQ10Window(QWidget* parent, Program& p, Sounds& sounds);
void runUnitConverterWindow(QWidget* parent);
void runDayOfYearWindow(QWidget* parent);
void runSunCycleWindow(QWidget* parent, Program& p);

// Binds line edits and labels to a model's text fields: pull() copies what was typed into the
// model before an action, push() shows the model's fields after it.
class FieldBinder {
  public:
    // `name` becomes the edit's object name, so tests and accessibility tools can find it.
    QLineEdit* edit(std::string& field, int width = 80, const char* name = nullptr);
    QLabel* label(const std::string& field);
    void pull();
    void push();

  private:
    std::vector<std::pair<QLineEdit*, std::string*>> edits_;
    std::vector<std::pair<QLabel*, const std::string*>> labels_;
};

QString utf8(const std::string& text);
// A dialog with a title, its "?" button showing `help`, and a "Done" button.
QPushButton* helpButton(QWidget* parent, const char* title, const char* help);
// A label in red for the one-line reason a result shows "—".
QLabel* reasonLabel();
void showReason(QLabel* label, const std::string& reason);

}  // namespace trindel::gui
