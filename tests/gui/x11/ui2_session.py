#!/usr/bin/env python3
"""The Sable UI2 and the streaming instrument in the desktop program on a real X server, each
against its simulator on a pseudo-terminal: the UI2's windows from the A-D menu (temperature
modes, firmware, serial instruments and a channel's field choice) and the streaming instrument's
"Modes and Channels". Every window is photographed into the screenshots folder.

usage: ui2_session.py PROGRAM DEVSIM SCREENSHOT_DIR [--no-wm]"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xsession import Failure, XSession, have  # noqa: E402

RECORDING = " Trindel:  Acquire Data "
SETUP = "CHART Mode Acquisition Parameters"
HALTED = "Chart Halted at"


class Simulator:
    def __init__(self, devsim, args):
        self.proc = subprocess.Popen([devsim, *args], stdout=subprocess.PIPE, text=True)
        self.path = self.proc.stdout.readline().strip()
        if not self.path:
            raise Failure("the simulator did not start")

    def close(self):
        self.proc.terminate()
        self.proc.wait(5)


def open_menu_item(x, menu_title, item_text):
    """Opens a menu of the recording window (and its submenus) and clicks the item."""
    x.click(RECORDING, menu_title, kind="menu")
    path = item_text if isinstance(item_text, list) else [item_text]
    for text in path:
        found = None
        deadline = time.time() + 5
        while found is None and time.time() < deadline:
            for w in x.windows():
                for c in w["controls"]:
                    if c["text"].strip() == text.strip():
                        found = c
            time.sleep(0.05)
        if found is None:
            raise Failure(f"no menu item '{text}'")
        if not found["enabled"]:
            raise Failure(f"menu item '{text}' is disabled")
        rx, ry, rw, rh = found["rect"]
        x.click_at(rx + rw // 2, ry + rh // 2)
        time.sleep(0.4)


def connect_through_port_dialog(x, path, title):
    dialog = x.find(title)
    edits = [c for c in dialog["controls"] if c["kind"] == "field"]
    if not edits:
        raise Failure(f"no path field in '{dialog['title']}'")
    rx, ry, rw, rh = edits[-1]["rect"]
    x.click_at(rx + rw // 2, ry + rh // 2)
    x.type(path)
    x.shot("port-dialog", dialog["title"])
    x.click(dialog["title"], "Selection OK")


def ui2_session(x, devsim):
    sim = Simulator(devsim, ["--device", "ui2", "--instrument-rate", "5", "--value",
                             "all=sine:1:0.5:20"])
    try:
        x.start_program()
        x.shot("ui2-start-window", "Startup Routines...")
        x.click("Startup Routines...", "Sable UI2")
        connect_through_port_dialog(x, sim.path, "Serial Port Selection:  Sable UI2")
        x.find("Modes and Channels", timeout=20)
        x.click("Modes and Channels", "4 Channels")
        x.click("Modes and Channels", "Selection OK")
        x.find("Sample Rate")
        x.click("Sample Rate", "1/4 second")
        x.click("Sample Rate", "Selection OK")
        x.find(SETUP)
        x.click(SETUP, "Setup OK")
        x.find(RECORDING)
        time.sleep(3.0)
        x.shot("ui2-recording", RECORDING)
        options = x.hold(["Escape"], HALTED)

        open_menu_item(x, "A-D", ["External A-D Device", "Sable UI2 Temperature Channels..."])
        x.find("UI2 Temperature Channels")
        x.click("UI2 Temperature Channels", "t2mode2")
        x.shot("ui2-temperature-channels", "UI2 Temperature Channels")
        x.click("UI2 Temperature Channels", "Done")
        x.find("UI2 Temperature Channels", gone=True)

        open_menu_item(x, "A-D", ["External A-D Device", "UI2 Firmware\u2026"])
        fw = x.find("UI2 firmware")
        if not any("version is 210" in c["text"] for c in fw["controls"]):
            raise Failure("the firmware window does not show version 210")
        x.shot("ui2-firmware", "UI2 firmware")
        x.key("Escape")
        x.find("UI2 firmware", gone=True)

        open_menu_item(x, "A-D", "UI2 Serial Instruments...")
        x.find("Serial Instrument Options")
        x.shot("ui2-serial-instruments", "Serial Instrument Options")
        x.click("Serial Instrument Options", "serial2")
        x.find("Select Serial Input, Channel2", timeout=10)
        x.shot("ui2-serial-field-choice", "Select Serial Input, Channel2")
        x.click("Select Serial Input, Channel2", "OK -- Close")
        x.find("Select Serial Input, Channel2", gone=True)
        x.click("Serial Instrument Options", "OK -- Close")
        x.find("Serial Instrument Options", gone=True)

        options = x.find(HALTED)
        x.click(options["title"], "Quit   ('Q')")
        x.find("Possible Data Loss")
        x.click("Possible Data Loss", "Y")
        x.app.wait(20)
    finally:
        sim.close()


def stream_session(x, devsim):
    sim = Simulator(devsim, ["--device", "stream", "--rate", "4", "--tag", "O2analyzer",
                             "--value", "all=ramp:20:0.1"])
    try:
        x.start_program()
        x.click("Startup Routines...", "Select A-D")
        dialog = x.find("External A/D Device")
        popups = [c for c in dialog["controls"] if c["kind"] == "popup"]
        if not popups:
            raise Failure("no device list in the device dialog")
        rx, ry, rw, rh = popups[0]["rect"]
        x.click_at(rx + rw // 2, ry + rh // 2)
        time.sleep(0.5)
        x.type("Serial")
        x.key("Return")
        time.sleep(0.5)
        x.click("External A/D Device", "Selection OK")
        connect_through_port_dialog(x, sim.path, "Serial Port Selection:  streaming serial")
        x.find("Modes and Channels", timeout=20)
        time.sleep(1.5)
        w = x.find("Modes and Channels")
        if not any(c["text"] == "Instrument:   O2analyzer" for c in w["controls"]):
            raise Failure("the instrument's tag is not shown")
        x.click("Modes and Channels", "select3")
        x.click("Modes and Channels", "label3")
        x.key("ctrl+a")
        x.type("O2 percent")
        x.click("Modes and Channels", "select4")
        time.sleep(0.6)
        x.shot("stream-modes-and-channels", "Modes and Channels")
        x.click("Modes and Channels", "Add to Instrument Database")
        x.find("Instrument name")
        x.shot("stream-instrument-name", "Instrument name")
        x.click("Instrument name", "Done")
        x.find("Instrument name", gone=True)
        x.click("Modes and Channels", "selection OK")
        x.find("Sample Rate")
        x.click("Sample Rate", "Selection OK")
        setup = x.find(SETUP)
        x.shot("stream-acquisition-parameters", setup["title"])
        x.click(setup["title"], "Setup OK")
        x.find(RECORDING)
        time.sleep(3.0)
        x.shot("stream-recording", RECORDING)
        options = x.hold(["Escape"], HALTED)
        x.click(options["title"], "Quit   ('Q')")
        x.find("Possible Data Loss")
        x.click("Possible Data Loss", "Y")
        x.app.wait(20)
        db = os.path.join(x.home, ".config", "Trindel", "serial instrument database.txt")
        with open(db, encoding="utf-8") as f:
            if "O2 percent" not in f.read():
                raise Failure("the database record lacks the label typed")
    finally:
        sim.close()


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    missing = [t for t in ("xdotool", "import", "convert", "identify", "xprop") if not have(t)]
    if missing:
        print("FAIL: missing tools (scripts/install-deps installs them):", " ".join(missing))
        return 1
    for name, session in (("ui2", ui2_session), ("stream", stream_session)):
        x = XSession(sys.argv[1], os.path.join(sys.argv[3], name), wm="--no-wm" not in sys.argv)
        try:
            session(x, sys.argv[2])
        except Failure as e:
            print(f"FAIL ({name}):", e)
            print(x.log_tail())
            return 1
        finally:
            x.close()
    print("UI2 and streaming sessions passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
