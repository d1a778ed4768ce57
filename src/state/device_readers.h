// Reader slots by device code: a reader installed here replaces the device table's reader.
#pragma once

#include <array>
#include <functional>

namespace trindel {

struct Program;
struct Platform;

// A device reader: reads one channel into DeviceState::volts.
using DeviceReadFn = std::function<void(Program&, Platform&, int channel, int interactive)>;

struct DeviceReaders {
    std::array<DeviceReadFn, 9> slots{};  // codes 0..8; an empty slot uses the table's reader
};

}  // namespace trindel
