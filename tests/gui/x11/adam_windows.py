#!/usr/bin/env python3
"""The ADAM modules' and the ADC-1's windows on a real X server: the program connects to a simulated ADAM
network (trindel-devsim on a pseudo-terminal, path typed in the port dialog), a channel's input
is chosen in the modules' own window, and the External A-D Device submenu opens the sensor
types, the firmware and cold-junction window and the module address window. Every window is
photographed.

usage: adam_windows.py PROGRAM DEVSIM SCREENSHOT_DIR [--no-wm]"""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xsession import Failure, XSession, have  # noqa: E402

SETUP = "CHART Mode Acquisition Parameters"
RECORDING = " Trindel:  Acquire Data "
HALTED = "Chart Halted at"


def field(x, title, index=0):
    fields = [c for c in x.find(title)["controls"] if c["kind"] == "field"]
    if len(fields) <= index:
        raise Failure(f"no field {index} in '{title}'")
    return fields[index]


def click_control(x, c):
    rx, ry, w, h = c["rect"]
    x.click_at(rx + w // 2, ry + h // 2)


def menu_item(x, menu, item, submenu_item=None):
    """Opens a menu of the menu bar with the mouse and chooses an item (and a submenu item)."""
    main = x.find(RECORDING)
    bar = [c for c in main["controls"] if c["kind"] == "menu" and c["text"] == menu]
    if not bar:
        raise Failure(f"no menu '{menu}'")
    click_control(x, bar[0])
    time.sleep(0.5)
    for text in [item] + ([submenu_item] if submenu_item else []):
        hit = None
        for w in x.windows():
            for c in w["controls"]:
                if c["kind"] == "item" and c["text"] == text:
                    hit = c
        if hit is None:
            raise Failure(f"no menu item '{text}'")
        if not hit["enabled"]:
            raise Failure(f"menu item '{text}' is disabled")
        click_control(x, hit)
        time.sleep(0.6)


def connect(x, port, downs, device, title, shot):
    """Chooses the device in "External A/D Device" and types the simulator's port."""
    x.start_program()
    x.click("Startup Routines...", "Select A-D")
    x.find("External A/D Device")
    popup = [c for c in x.find("External A/D Device")["controls"] if c["kind"] == "popup"][0]
    click_control(x, popup)
    time.sleep(0.4)
    x.key(*(["Down"] * downs), "Return")
    time.sleep(0.4)
    shown = [c for c in x.find("External A/D Device")["controls"] if c["kind"] == "popup"][0]
    if shown["text"] != device:
        raise Failure(f"device list shows '{shown['text']}'")
    x.click("External A/D Device", "Selection OK")
    x.find(title)
    click_control(x, field(x, title))
    x.type(port)
    x.shot(shot, title)
    x.click(title, "Selection OK")


def adc1_session(x, port):
    connect(x, port, 5, "RMS ADC-1", "Serial Port Selection:  ADC-1", "adc1-port")
    x.find("Modes and Channels", timeout=20)
    x.click("Modes and Channels", "2 Channels")
    x.click("Modes and Channels", "Selection OK")
    x.find("Sample Rate")
    x.key("Return")
    x.find(SETUP)
    x.click(SETUP, "input1")
    title = "Input Selection For Chart Channel 1"
    x.find(title)
    time.sleep(0.5)
    x.click(title, "Fixed HIGH Gain")
    x.shot("adc1-input-selection", title)
    x.click(title, "Selection OK")
    x.find(title, gone=True)
    x.click(SETUP, "Setup OK")
    x.find(RECORDING)
    time.sleep(2.0)
    x.shot("adc1-recording", RECORDING)


def session(x, port):
    connect(x, port, 4, "ADAM 4019", "Serial Port Selection:  ADAM modules", "adam-port")

    x.find("Modes and Channels", timeout=20)
    x.click("Modes and Channels", "4 Channels")
    x.click("Modes and Channels", "Selection OK")
    x.find("Sample Rate")
    x.key("Return")

    x.find(SETUP)
    x.shot("adam-acquisition-parameters", SETUP)
    x.click(SETUP, "input2")
    x.find("Input Selection For Chart Channel 2")
    x.click("Input Selection For Chart Channel 2", "Input 6")
    x.shot("adam-input-selection", "Input Selection For Chart Channel 2")
    x.click("Input Selection For Chart Channel 2", "Selection OK")
    x.find("Input Selection For Chart Channel 2", gone=True)
    x.click(SETUP, "Setup OK")

    x.find(RECORDING)
    time.sleep(2.0)
    x.shot("adam-recording", RECORDING)
    x.hold(["Escape"], HALTED)

    menu_item(x, "A-D", "External A-D Device", "    ADAM-4019 Inputs...")
    x.find("Sensor Type Selection For ADAM-4019")
    x.shot("adam-sensor-types", "Sensor Type Selection For ADAM-4019")
    x.click("Sensor Type Selection For ADAM-4019", "Selection OK")
    x.find("Sensor Type Selection For ADAM-4019", gone=True, timeout=15)

    menu_item(x, "A-D", "External A-D Device", "    ADAM Firmware and CJC\u2026")
    x.find("ADAM Firmware")
    deadline = time.time() + 10
    while time.time() < deadline:
        cjc = [c for c in x.find("ADAM Firmware")["controls"] if c["name"] == "cjc"]
        if cjc and cjc[0]["text"]:
            break
        time.sleep(0.2)
    if not cjc or cjc[0]["text"] != "24.5":
        raise Failure(f"cold junction shows {cjc}")
    x.shot("adam-firmware", "ADAM Firmware")
    x.key("Escape")
    x.find("ADAM Firmware", gone=True)

    menu_item(x, "A-D", "External A-D Device", "    Set ADAM Module Address\u2026")
    x.find("ADAM Module Address Setting")
    time.sleep(1.0)
    # By keys: the first radio button has the focus; Tab goes on to the address field and then
    # to "Change the Address".
    x.key("space", "Tab", "ctrl+a")
    x.type("2")
    x.shot("adam-address", "ADAM Module Address Setting")
    x.key("Tab", "space")
    x.find("New ADAM address check")
    time.sleep(1.5)
    x.shot("adam-address-check", "New ADAM address check")
    x.key("Escape")
    x.find("New ADAM address check", gone=True)
    x.key("Escape")
    x.find("ADAM Module Address Setting", gone=True)


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    missing = [t for t in ("xdotool", "import", "convert", "identify", "xprop") if not have(t)]
    if missing:
        print("FAIL: missing tools (scripts/install-deps installs them):", " ".join(missing))
        return 1
    scratch = tempfile.mkdtemp(prefix="trindel-adam-x11-")
    link = os.path.join(scratch, "adam")
    log = os.path.join(scratch, "sim.log")
    sim = subprocess.Popen([sys.argv[2], "--device", "adam", "--link", link, "--log", log,
                            "--value", "all=sine:0.5:1.5:20"], stdout=subprocess.PIPE)
    sim.stdout.readline()
    x = XSession(sys.argv[1], sys.argv[3], wm="--no-wm" not in sys.argv)
    try:
        session(x, link)
        with open(log) as f:
            received = f.read()
        for command in ("$01M", "$017C5R09", "#015", "$013", "%02020F0600"):
            if command not in received:
                raise Failure(f"the simulator never received {command}")
    except Failure as e:
        print("FAIL:", e)
        print(x.log_tail())
        return 1
    finally:
        x.close()
        sim.terminate()
        sim.wait()
    print("ADAM windows passed")

    # The ADC-1's input and gain selection: fixed high gain reads input 1 with code 18 only.
    link = os.path.join(scratch, "adc1")
    log = os.path.join(scratch, "adc1.log")
    sim = subprocess.Popen([sys.argv[2], "--device", "adc1", "--link", link, "--log", log,
                            "--value", "all=fixed:0.005"], stdout=subprocess.PIPE)
    sim.stdout.readline()
    x = XSession(sys.argv[1], sys.argv[3], wm="--no-wm" not in sys.argv)
    try:
        adc1_session(x, link)
        with open(log) as f:
            received = [line.split(" ", 2)[2].strip() for line in f if " RX " in line]
        if "\\x11" not in received or "\\x00" in received:
            raise Failure(f"channel 1 was not read at fixed high gain: {received[:12]}")
    except Failure as e:
        print("FAIL:", e)
        print(x.log_tail())
        return 1
    finally:
        x.close()
        sim.terminate()
        sim.wait()
    print("ADC-1 input selection passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
