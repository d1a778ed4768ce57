// Fuzz target for the serial receive buffer and the logger reply parser: any bytes, fed in two
// pieces, read as items, lines and readings.
#include <string_view>

#include "devices/datataker/datataker_protocol.h"
#include "devices/serial/line_buffer.h"

using namespace trindel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LineBuffer b;
    const size_t half = size / 2;
    b.feed(bytes.substr(0, half));
    (void)parseReading(b.readItem());
    b.feed(bytes.substr(half));
    for (int i = 0; i < 64 && b.size() > 0; ++i) {
        (void)parseReading(b.readItem());
        (void)b.readNumericItem();
        (void)b.readLine();
        (void)b.readBytes(static_cast<size_t>(i % 5));
    }
    (void)dt800FirmwareWindowText(bytes);
    (void)diagnosticsLine(bytes);
    return 0;
}
