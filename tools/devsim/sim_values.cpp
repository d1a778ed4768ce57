#include "sim_values.h"

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <sstream>
#include <vector>

namespace devsim {

double ValueRule::at(long n) const {
    switch (kind) {
        case Kind::Fixed:
            return a;
        case Kind::Ramp:
            return a + b * static_cast<double>(n);
        case Kind::Sine:
            return a + b * std::sin(2.0 * std::numbers::pi * static_cast<double>(n) / c);
    }
    return a;
}

std::optional<ValueRule> parseValueRule(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ':');) {
        parts.push_back(part);
    }
    std::vector<double> numbers;
    for (size_t i = 1; i < parts.size(); ++i) {
        char* end = nullptr;
        const double v = std::strtod(parts[i].c_str(), &end);
        if (parts[i].empty() || *end != '\0' || !std::isfinite(v)) {
            return std::nullopt;
        }
        numbers.push_back(v);
    }
    ValueRule rule;
    if (parts.empty()) {
        return std::nullopt;
    }
    if (parts[0] == "fixed" && numbers.size() == 1) {
        rule.kind = ValueRule::Kind::Fixed;
        rule.a = numbers[0];
    } else if (parts[0] == "ramp" && numbers.size() == 2) {
        rule.kind = ValueRule::Kind::Ramp;
        rule.a = numbers[0];
        rule.b = numbers[1];
    } else if (parts[0] == "sine" && numbers.size() == 3 && numbers[2] > 0) {
        rule.kind = ValueRule::Kind::Sine;
        rule.a = numbers[0];
        rule.b = numbers[1];
        rule.c = numbers[2];
    } else {
        return std::nullopt;
    }
    return rule;
}

double InputValues::next(int input, double fallback) {
    const long n = counts_[input]++;
    auto it = rules_.find(input);
    if (it == rules_.end()) {
        it = rules_.find(0);
    }
    return it == rules_.end() ? fallback : it->second.at(n);
}

}  // namespace devsim
