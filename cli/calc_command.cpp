// `trindel-cli calc NAME --input value ...`: the Special-menu calculators from the command line,
// computed by the same models as the windows; `calc --list` names them with their inputs.
#include <iostream>
#include <map>
#include <memory>

#include "calculators/calc_result.h"
#include "calculators/calculator_catalog.h"
#include "command_registry.h"
#include "json_text.h"
#include "text/field_text.h"

namespace trindel::cli {

namespace {

struct CalcOptions {
    std::map<std::string, std::string> values;
    std::map<std::string, bool> flags;
    std::map<std::string, CLI::Option*> options;
    bool json = false;
    bool csv = false;
};

void printList(std::ostream& out) {
    for (const CalculatorSpec& c : calculatorCatalog()) {
        out << c.name << "  " << c.title << "\n";
        for (const CalcInputSpec& in : c.inputs) {
            std::string left = "--" + in.name;
            if (in.kind == CalcInputKind::Number) {
                left += " NUMBER";
            } else if (in.kind == CalcInputKind::Date) {
                left += " YYYY-MM-DD";
            } else if (in.kind == CalcInputKind::Choice) {
                left += " {";
                for (size_t i = 0; i < in.choices.size(); ++i) {
                    left += (i ? "|" : "") + in.choices[i];
                }
                left += "}";
            }
            out << "    " << left << "  " << in.help;
            if (!in.defaultValue.empty()) {
                out << " (" << in.defaultValue << ")";
            }
            out << "\n";
        }
    }
}

// A JSON number for a result text, or null for "—" and texts that are no number.
std::string jsonValue(const std::string& text) {
    return isNumberText(text) ? text : "null";
}

int runCalculator(const CalculatorSpec& spec, const CalcOptions& o) {
    CalcArgs args;
    for (const CalcInputSpec& in : spec.inputs) {
        const CLI::Option* opt = o.options.at(in.name);
        if (opt->count() == 0) {
            continue;
        }
        if (in.kind == CalcInputKind::Flag) {
            args.values[in.name] = "1";
            continue;
        }
        const std::string& v = o.values.at(in.name);
        if (in.kind == CalcInputKind::Number && !isNumberText(v)) {
            std::cerr << "trindel-cli: calc " << spec.name << ": --" << in.name
                      << " needs a number, not \"" << v << "\"\n";
            return 1;
        }
        args.values[in.name] = v;
    }
    const CalcAnswer a = spec.run(args);
    if (!a.error.empty()) {
        std::cerr << "trindel-cli: calc " << spec.name << ": " << a.error << "\n";
        return 1;
    }
    if (o.json) {
        std::cout << "{\"calculator\":" << jsonString(spec.name) << ",\"results\":{";
        for (size_t i = 0; i < a.outputs.size(); ++i) {
            const CalcOutputLine& l = a.outputs[i];
            std::cout << (i ? "," : "") << jsonString(l.name) << ":{\"value\":" << jsonValue(l.text)
                      << ",\"text\":" << jsonString(l.text) << ",\"unit\":" << jsonString(l.unit)
                      << "}";
        }
        std::cout << "}";
        if (!a.tableHeader.empty()) {
            std::cout << ",\"table\":{\"columns\":[";
            for (size_t i = 0; i < a.tableHeader.size(); ++i) {
                std::cout << (i ? "," : "") << jsonString(a.tableHeader[i]);
            }
            std::cout << "],\"rows\":[";
            for (size_t r = 0; r < a.tableRows.size(); ++r) {
                std::cout << (r ? "," : "") << "[";
                for (size_t i = 0; i < a.tableRows[r].size(); ++i) {
                    std::cout << (i ? "," : "") << jsonValue(a.tableRows[r][i]);
                }
                std::cout << "]";
            }
            std::cout << "]}";
        }
        std::cout << "}\n";
        return 0;
    }
    for (const CalcOutputLine& l : a.outputs) {
        std::cout << l.label << ": " << l.text << (l.unit.empty() ? "" : " ") << l.unit << "\n";
    }
    const char* sep = o.csv ? "," : "\t";
    if (!a.tableHeader.empty()) {
        for (size_t i = 0; i < a.tableHeader.size(); ++i) {
            std::cout << (i ? sep : "") << a.tableHeader[i];
        }
        std::cout << "\n";
        for (const auto& row : a.tableRows) {
            for (size_t i = 0; i < row.size(); ++i) {
                std::cout << (i ? sep : "") << row[i];
            }
            std::cout << "\n";
        }
    }
    return 0;
}

const CommandRegistrar registrar{[](CLI::App& app, int& exitStatus) {
    CLI::App* calc = app.add_subcommand(
        "calc", "Run a respirometry calculator (STP flow, altitude, pO2, allometry, ...)");
    auto list = std::make_shared<bool>(false);
    calc->add_flag("--list", *list, "Name every calculator with its inputs");
    calc->require_subcommand(0, 1);
    for (const CalculatorSpec& spec : calculatorCatalog()) {
        CLI::App* sub = calc->add_subcommand(spec.name, spec.title);
        auto o = std::make_shared<CalcOptions>();
        for (const CalcInputSpec& in : spec.inputs) {
            const std::string flagName = "--" + in.name;
            std::string help = in.help;
            if (!in.defaultValue.empty()) {
                help += " (default " + in.defaultValue + ")";
            }
            if (in.kind == CalcInputKind::Flag) {
                o->options[in.name] = sub->add_flag(flagName, o->flags[in.name], help);
                continue;
            }
            CLI::Option* opt = sub->add_option(flagName, o->values[in.name], help);
            if (in.kind == CalcInputKind::Choice) {
                opt->check(CLI::IsMember(in.choices));
            }
            o->options[in.name] = opt;
        }
        sub->add_flag("--json", o->json, "Print the results as JSON");
        if (spec.name == "sun") {
            sub->add_flag("--csv", o->csv, "With --year: separate the columns by commas");
        }
        const CalculatorSpec* s = &spec;
        sub->callback([s, o, &exitStatus] { exitStatus = runCalculator(*s, *o); });
    }
    calc->callback([calc, list, &exitStatus] {
        if (*list) {
            printList(std::cout);
            return;
        }
        if (calc->get_subcommands().empty()) {
            std::cerr << "trindel-cli: calc needs a calculator name; see trindel-cli calc --list\n";
            exitStatus = 1;
        }
    });
}};

}  // namespace
}  // namespace trindel::cli
