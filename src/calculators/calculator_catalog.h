// Every calculator by name, with its inputs and a run function built on the same window models
// the desktop program uses, so a script and a window give the same numbers.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace trindel {

enum class CalcInputKind { Number, Flag, Choice, Date };

struct CalcInputSpec {
    std::string name;  // option name without dashes: "flow", "slpm"
    CalcInputKind kind = CalcInputKind::Number;
    std::string defaultValue;          // as typed into the window; empty for flags
    std::string help;                  // with the unit
    std::vector<std::string> choices;  // for Choice
};

struct CalcOutputLine {
    std::string name;   // key for scripts: "stp_flow"
    std::string label;  // "STP flow"
    std::string text;   // as the window shows it, or "—"
    std::string unit;
};

struct CalcAnswer {
    std::vector<CalcOutputLine> outputs;
    std::string error;                     // one line; set when any output has no value
    std::vector<std::string> tableHeader;  // a table (the sun's year), when asked for
    std::vector<std::vector<std::string>> tableRows;
};

// The inputs given, by name: numbers and dates as typed, flags present or not.
class CalcArgs {
  public:
    std::map<std::string, std::string> values;
    bool has(const std::string& name) const { return values.count(name) != 0; }
    // The value given, or the default.
    std::string text(const std::string& name, const std::string& fallback) const;
};

struct CalculatorSpec {
    std::string name;
    std::string title;
    std::vector<CalcInputSpec> inputs;
    std::function<CalcAnswer(const CalcArgs&)> run;
};

const std::vector<CalculatorSpec>& calculatorCatalog();
const CalculatorSpec* findCalculator(const std::string& name);

// Whether text reads wholly as a decimal number (what the command line accepts for a number).
bool isNumberText(const std::string& text);
// "YYYY-MM-DD" into month, day and year; false when it is not such a date.
bool parseIsoDate(const std::string& text, int& year, int& month, int& day);

}  // namespace trindel
