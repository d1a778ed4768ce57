// The Sable UI2's and the streaming instrument's windows (their rules live in src/devices/).
#pragma once

#include "devices/device_link.h"
#include "state/program.h"
#include "ui/menu_table.h"

class QWidget;

namespace trindel {
class SerialPort;
}

namespace trindel::gui {

// "    Sable UI2 Temperature Channels...": the modes of T1-T4.
void runUI2TempChannelsWindow(QWidget* parent, Program& p);
// CheckUI2TempChannel: the mode of a UI2 channel on inputs 9-12 (nothing for other channels).
void runUI2TempChannelWindow(QWidget* parent, Program& p, int channel);
// "    UI2 Firmware…": asks the UI2 and shows the version and the spans.
void runUI2FirmwareWindow(QWidget* parent, DeviceLink& link);
// "UI2 Serial Instruments...": which channels read the instrument on input 15.
void runSerialInstrumentsWindow(QWidget* parent, DeviceLink& link);
// InspectSerialInput: the field and display limits of a channel on input 15.
void runSerialFieldWindow(QWidget* parent, DeviceLink& link, int channel);
// A UI2 choice in the A-D menu or the External A-D Device submenu.
void runUI2DeviceCommand(QWidget* parent, Program& p, DeviceLink& link, MenuCommand command);
// Before the conversion window of a UI2 channel: its temperature mode (inputs 9-12) or its
// instrument field (input 15).
void runUI2ChannelCheck(QWidget* parent, DeviceLink& link, int channel);

// StreamingSerialChannels: "Modes and Channels" for the streaming instrument on `port` (null in
// the demonstration mode: demonstration values). False when closed without a choice.
bool runStreamChannelsWindow(QWidget* parent, Program& p, SerialPort* port);

}  // namespace trindel::gui
