#include "adam_sim.h"

#include <cstdio>
#include <regex>
#include <sstream>

namespace devsim {

std::string adamNumber(double value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, ">%+08.3f", value);
    return buf;
}

bool AdamSim::parseModules(const std::string& text) {
    static const std::regex kModule(R"(^([0-9]{2})=(4017|4019|4050)$)");
    std::map<int, Module> modules;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');) {
        std::smatch m;
        if (!std::regex_match(part, m, kModule)) {
            return false;
        }
        modules[std::stoi(m[1])] = Module{m[2], {}, 0};
    }
    modules_ = modules;
    return true;
}

AdamSim::Module* AdamSim::at(int address) {
    const auto it = modules_.find(address);
    return it == modules_.end() ? nullptr : &it->second;
}

std::string AdamSim::rangeOf(int address, int channel) const {
    const auto it = modules_.find(address);
    if (it == modules_.end()) {
        return {};
    }
    const auto r = it->second.ranges.find(channel);
    return r == it->second.ranges.end() ? std::string() : r->second;
}

std::string AdamSim::handle(const std::string& line) {
    lastWasReading_ = false;
    static const std::regex kCommand(R"(^([$#%])([0-9]{2})(.*)$)");
    std::smatch m;
    if (!std::regex_match(line, m, kCommand)) {
        return {};
    }
    const char lead = m[1].str()[0];
    const int address = std::stoi(m[2]);
    const std::string rest = m[3];
    const std::string aa = m[2];
    Module* module = at(address);
    if (module == nullptr) {
        return {};  // nobody at this address: RS-485 stays silent
    }
    const bool analogue = module->model != "4050";
    std::smatch r;
    if (lead == '$' && rest == "M") {
        return "!" + aa + module->model + "\r";
    }
    if (lead == '$' && rest == "F") {
        return "!" + aa + (analogue ? "A1.05" : "B1.02") + "\r";
    }
    if (lead == '$' && rest == "3" && analogue) {
        return adamNumber(cjc_) + "\r";
    }
    static const std::regex kRange(R"(^7C([0-7])R([0-9A-F]{2})$)");
    if (lead == '$' && analogue && std::regex_match(rest, r, kRange)) {
        module->ranges[std::stoi(r[1])] = r[2];
        return "!" + aa + "\r";
    }
    static const std::regex kRead(R"(^([0-7])$)");
    if (lead == '#' && analogue && std::regex_match(rest, r, kRead)) {
        // Inputs 1..8 at address 01, 9..16 at any other analogue address.
        const int input = std::stoi(r[1]) + (address == 1 ? 1 : 9);
        lastWasReading_ = true;
        return adamNumber(values_.next(input, 0.1 * input)) + "\r";
    }
    static const std::regex kOutput(R"(^00([0-9A-F]{2})$)");
    if (lead == '#' && !analogue && std::regex_match(rest, r, kOutput)) {
        module->outputs = std::stoi(r[1], nullptr, 16);
        return ">\r";
    }
    static const std::regex kAddress(R"(^([0-9]{2})([0-9A-F]{2})0600$)");
    if (lead == '%' && std::regex_match(rest, r, kAddress)) {
        const int next = std::stoi(r[1]);
        Module moved = *module;
        modules_.erase(address);
        modules_[next] = moved;
        return "!" + r[1].str() + "\r";
    }
    return "?" + aa + "\r";
}

}  // namespace devsim
