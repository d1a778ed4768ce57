#!/usr/bin/env python3
"""A new user's first session with the desktop program on a real X server, driven with real
mouse clicks and key presses. Every window met is photographed into the screenshots folder and
must show its title and a painted client area.

usage: first_session.py PROGRAM SCREENSHOT_DIR [--no-wm]"""

import glob
import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xsession import Failure, XSession, have, run_session  # noqa: E402

RECORDING = " Trindel:  Acquire Data "
SETUP = "CHART Mode Acquisition Parameters"
PAUSE = " Acquisition Pause\u2026 "
HALTED = "Chart Halted at"


def halted_count(title):
    m = re.match(r"Chart Halted at (-?\d+) Samples", title)
    if not m:
        raise Failure(f"options window title '{title}'")
    return int(m.group(1))


def first_session(x):
    x.start_program()

    # Start window: the demonstration source.
    x.shot("start-window", "Startup Routines...")
    x.click("Startup Routines...", "Test Mode")

    # Modes and Channels: chart, four channels.
    x.find("Modes and Channels")
    x.click("Modes and Channels", "4 Channels")
    x.shot("modes-and-channels", "Modes and Channels")
    x.click("Modes and Channels", "Selection OK")

    # Interval: 1/20 s, and a typed number of samples.
    x.find("Sample Rate")
    x.click("Sample Rate", "1/20 second")
    x.click("Sample Rate", "totalSamples")
    x.key("ctrl+a")
    x.type("3000")
    x.key("Tab")
    time.sleep(0.3)
    typed = x.control(x.find("Sample Rate"), "totalSamples")["text"]
    if typed != "3000":
        raise Failure(f"'Total samples' shows '{typed}' after typing 3000")
    x.shot("sample-rate", "Sample Rate")
    # Return in the field ends the dialog ("Selection OK" is the default button); its key-up
    # reaches no window of the program.
    x.click("Sample Rate", "totalSamples")
    x.key("Return")

    # Channel set-up: the rows as chosen, accepted as they stand.
    x.find(SETUP)
    x.shot("acquisition-parameters", SETUP)
    x.click(SETUP, "Setup OK")

    # Recording: markers, Ctrl-P pause and resume, a note.
    x.find(RECORDING)
    time.sleep(1.0)
    x.key("1")
    time.sleep(0.6)
    x.key("2")
    time.sleep(0.6)
    x.shot("recording", RECORDING)
    x.hold(["ctrl", "p"], PAUSE)
    x.click(PAUSE, "noteText")
    x.type("door opened")
    x.shot("pause-window", PAUSE)
    x.key("Return")
    x.find(PAUSE, timeout=5, gone=True)
    # Recording goes on: the pause window must not come back by itself.
    time.sleep(1.5)
    if any(w["title"] == PAUSE for w in x.windows()):
        raise Failure("the pause window came back after Resume (Ctrl-P still held)")
    x.click(RECORDING, "toolbar-4")
    x.find("Note")
    x.click("Note", "noteText")
    x.type("first note")
    x.shot("note-window", "Note")
    x.key("Return")
    x.find("Note", gone=True)
    time.sleep(0.8)
    x.shot("recording-after-note", RECORDING)

    # Escape: the options window.
    options = x.hold(["Escape"], HALTED)
    first = halted_count(options["title"])
    if first < 20:
        raise Failure(f"first run took only {first} samples")
    x.shot("options-window", options["title"])

    # Text format from the File menu while the options window is up.
    item = x.menu_item(RECORDING, "File", "ASCII Text Format", click=False)
    if not item["enabled"]:
        raise Failure("'ASCII Text Format' is disabled after a run")
    rx, ry, rw, rh = item["rect"]
    x.click_at(rx + rw // 2, ry + rh // 2)
    time.sleep(0.3)

    # Save: caution about text files, the save dialog, the saved notice.
    x.click(options["title"], "Save Data...   (any key)")
    x.find("Save DATA File As...")
    x.shot("save-dialog", "Save DATA File As...")
    dialog = x.find("Save DATA File As...")
    types = [c["text"] for c in dialog["controls"] if c["kind"] == "popup"]
    if not any("Text" in t for t in types):
        raise Failure(f"the save dialog's file type shows {types}, expected the text format")
    x.click("Save DATA File As...", "fileNameEdit")
    x.key("ctrl+a")
    x.type(os.path.join(x.home, "first run"))
    x.key("Return")
    x.find("Caution")
    x.shot("text-caution", "Caution")
    x.click("Caution", "OK")
    options = x.find(HALTED)
    deadline = time.time() + 5
    while not any("has been saved" in c["text"] for c in options["controls"]):
        if time.time() > deadline:
            raise Failure("the options window shows no notice that the file was saved")
        time.sleep(0.1)
        options = x.find(HALTED)
    x.shot("options-window-saved", options["title"])
    saved = glob.glob(os.path.join(x.home, "first run*"))
    if not saved:
        raise Failure("no file was saved")
    with open(saved[0], "rb") as f:
        head = f.read(4000)
    if b"\t" not in head:
        raise Failure(f"{saved[0]} is not a text export")

    # Between runs the window is made larger: the next run is laid out to fill it.
    main = x.find(RECORDING)
    x.xdotool("windowsize", main["id"], "1200", "960")
    time.sleep(1.0)
    view = x.control(x.find(RECORDING), "chartView")
    if view["rect"][2] < 1150:
        raise Failure(f"the recording view did not grow with the window: {view['rect']}")

    # New Run: records again, and must take more than one sample.
    options = x.find(HALTED)
    x.click(options["title"], "New Run, Same Setup   ('R')")
    x.find(HALTED, gone=True)
    x.find(RECORDING)
    time.sleep(2.0)
    shot = x.shot("second-run", RECORDING)
    # Near the right edge of the larger window the run draws its bands (grid lines, frames),
    # not a plain margin.
    vx, vy, vw, vh = x.control(x.find(RECORDING), "chartView")["rect"]
    wx, wy = x.find(RECORDING)["rect"][:2]
    column = x.colours(shot, vx - wx + vw - 30, vy - wy + 40, 1, vh - 80)
    if column <= 1:
        raise Failure("the second run left a plain margin at the right of the larger window")
    options = x.hold(["Escape"], HALTED)
    second = halted_count(options["title"])
    if second <= 1:
        raise Failure(f"the second run stopped after {second} samples (Escape still held)")

    # Quit with the unsaved-data question.
    x.click(options["title"], "Quit   ('Q')")
    x.find("Possible Data Loss")
    x.shot("possible-data-loss", "Possible Data Loss")
    x.click("Possible Data Loss", "Y")
    try:
        code = x.app.wait(20)
    except Exception:
        raise Failure("the program did not end after Quit")
    if code != 0:
        raise Failure(f"the program ended with status {code}")
    print(f"first run {first} samples, second run {second} samples; saved {saved[0]}")


def main():
    return run_session(first_session, "first session passed", __doc__)


if __name__ == "__main__":
    sys.exit(main())
