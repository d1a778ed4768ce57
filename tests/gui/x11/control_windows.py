#!/usr/bin/env python3
"""The experiment-control windows on a real X server: after a short demonstration run the D-A
and A-D menus open the output-script editor (a ramp is entered), the feedback window (a schedule
with a loop), the alarm set-up, the trigger window and the audible timer, each photographed.

usage: control_windows.py PROGRAM SCREENSHOT_DIR [--no-wm]"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xsession import Failure, XSession, have, run_session  # noqa: E402

RECORDING = " Trindel:  Acquire Data "
SETUP = "CHART Mode Acquisition Parameters"
HALTED = "Chart Halted at"
SCRIPT = "Voltage output script, AO channel1"
FEEDBACK = "Proportional Feedback Control (Analog Output Channel 2)"


def choose(x, menu, item):
    x.menu_item(RECORDING, menu, item)


def set_field(x, title, name, text):
    x.click(title, name)
    x.key("ctrl+a")
    x.type(text)


def fields_of(x, title):
    return [c for c in x.find(title)["controls"] if c["kind"] == "field"]


def session(x):
    x.start_program()
    x.click("Startup Routines...", "Test Mode")
    x.find("Modes and Channels")
    x.click("Modes and Channels", "2 Channels")
    x.click("Modes and Channels", "Selection OK")
    x.find("Sample Rate")
    x.key("Return")
    x.find(SETUP)
    x.click(SETUP, "Setup OK")
    x.find(RECORDING)
    time.sleep(1.0)
    x.hold(["Escape"], HALTED)

    # The script editor: 1 V for 2 minutes, a ramp to 3 V over 4 minutes, 0 V for 1 minute.
    choose(x, "D-A", "Analog Output, Channel 1\u2026")
    x.find(SCRIPT)
    for volts, minutes, ramp in (("1", "2", False), ("3", "4", True), ("0", "1", False)):
        f = fields_of(x, SCRIPT)
        # The first two fields are the volts and the minutes of the step being edited.
        vx, vy, vw, vh = f[0]["rect"]
        x.click_at(vx + vw // 2, vy + vh // 2)
        x.key("ctrl+a")
        x.type(volts)
        mx, my, mw, mh = f[1]["rect"]
        x.click_at(mx + mw // 2, my + mh // 2)
        x.key("ctrl+a")
        x.type(minutes)
        x.click(SCRIPT, "Ramp to this Voltage" if ramp else "Constant Voltage")
        x.click(SCRIPT, "Add Step")
        time.sleep(0.2)
    labels = [c["text"] for c in x.find(SCRIPT)["controls"]]
    if "steps: 3" not in labels:
        raise Failure(f"the editor does not count 3 steps: {labels}")
    x.shot("script-window-ramp", SCRIPT)
    x.click(SCRIPT, "Done")
    x.find(SCRIPT, gone=True)

    # The feedback window: three steps and a loop to step 2.
    choose(x, "D-A", "Feedback Control, Channel 2\u2026")
    x.find(FEEDBACK)
    for setpoint, minutes in (("20", "10"), ("25", "5"), ("22", "20")):
        f = fields_of(x, FEEDBACK)
        for field, value in ((f[0], setpoint), (f[4], minutes)):
            fx, fy, fw, fh = field["rect"]
            x.click_at(fx + fw // 2, fy + fh // 2)
            x.key("ctrl+a")
            x.type(value)
        x.click(FEEDBACK, "Enter These Values as a New Step")
        time.sleep(0.2)
    f = fields_of(x, FEEDBACK)
    lx, ly, lw, lh = f[-1]["rect"]
    x.click_at(lx + lw // 2, ly + lh // 2)
    x.key("ctrl+a")
    x.type("2")
    x.click(FEEDBACK, "Loop to Step:")
    time.sleep(0.3)
    x.shot("feedback-window", FEEDBACK)
    x.click(FEEDBACK, "Done")
    x.find(FEEDBACK, gone=True)

    choose(x, "A-D", "Alarms...")
    x.find("Alarms")
    x.shot("alarm-setup", "Alarms")
    x.click("Alarms", "Alarm Setup OK")
    x.find("Alarms", gone=True)

    choose(x, "A-D", "Trigger Controls\u2026")
    x.find("Set Trigger Conditions")
    x.click("Set Trigger Conditions", "Activate")
    time.sleep(0.2)
    x.shot("trigger-window", "Set Trigger Conditions")
    x.click("Set Trigger Conditions", "Deactivate")
    x.click("Set Trigger Conditions", "Triggering OK")
    x.find("Set Trigger Conditions", gone=True)

    choose(x, "A-D", "Audible Event Timer\u2026")
    x.find("Audible Timer Sounds Setup")
    x.shot("audible-timer", "Audible Timer Sounds Setup")
    x.click("Audible Timer Sounds Setup", "Done")
    x.find("Audible Timer Sounds Setup", gone=True)

    options = x.find(HALTED)
    x.click(options["title"], "Quit   ('Q')")
    try:
        x.find("Possible Data Loss", timeout=5)
        x.click("Possible Data Loss", "Y")
    except Failure:
        pass
    code = x.app.wait(20)
    if code != 0:
        raise Failure(f"the program ended with status {code}")


def main():
    return run_session(session, "control windows passed", __doc__)


if __name__ == "__main__":
    sys.exit(main())
