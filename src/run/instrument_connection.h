// The Sable UI2's and the streaming instrument's part of a DeviceConnection: their readers.
#pragma once

namespace trindel {

// Gives codes 1 and 8 back their built-in readers once the port is gone.
void removeInstrumentReaders();

}  // namespace trindel
