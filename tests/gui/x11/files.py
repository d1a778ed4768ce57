#!/usr/bin/env python3
"""Between runs, on a real X server with real clicks and keys: the replay after a run with
markers, Quick Save, the XY plot set-up and the live XY plot, the backup interval, and the
channel-editing windows (re-arrange, add, cut) opened through the menus. Every window is
photographed into the screenshots folder.

usage: files.py PROGRAM SCREENSHOT_DIR [--no-wm]"""

import glob
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xsession import Failure, XSession, have, run_session  # noqa: E402

RECORDING = " Trindel:  Acquire Data "
SETUP = "CHART Mode Acquisition Parameters"
HALTED = "Chart Halted at"
XY_WINDOW = " Interchannel Regression "


def choose(x, menu_title, item_text):
    """Opens a menu of the menu bar with a click and clicks one of its items."""
    x.menu_item(RECORDING, menu_title, item_text)


def record_run(x, seconds):
    x.find(RECORDING)
    time.sleep(seconds / 3)
    x.key("1")
    time.sleep(seconds / 3)
    x.key("2")
    time.sleep(seconds / 3)
    return x.hold(["Escape"], HALTED)


def session(x):
    x.start_program()
    x.click("Startup Routines...", "Test Mode")
    x.find("Modes and Channels")
    x.click("Modes and Channels", "3 Channels")
    x.click("Modes and Channels", "Selection OK")
    x.find("Sample Rate")
    x.click("Sample Rate", "1/20 second")
    x.click("Sample Rate", "Selection OK")
    x.find(SETUP)
    x.click(SETUP, "Setup OK")

    # A run with two markers; the options window offers Quick Save and Replay.
    options = record_run(x, 3.0)
    x.shot("options-window", options["title"])
    x.control(options, "Quick Save")
    x.click(options["title"], "Replay Data")
    replay = x.find("Replay Recorded Data")
    x.shot("replay-after-run", replay["title"])
    x.click(replay["title"], "replayScaling")
    time.sleep(0.5)
    x.shot("replay-user-scaling", replay["title"])
    x.click(replay["title"], "replayClose")
    x.find("Replay Recorded Data", gone=True)

    x.click(options["title"], "Quick Save")
    deadline = time.time() + 5
    while not glob.glob(os.path.join(x.home, "Trindel", "QuickSave *")):
        if time.time() > deadline:
            raise Failure("Quick Save wrote no file in ~/Trindel")
        time.sleep(0.1)

    # The XY plot set-up: channel 1 against channel 2.
    choose(x, "A-D", "2-channel X-Y Plot\u2026")
    x.find("2 Channel X-Y Plot")
    x.click("2 Channel X-Y Plot", "xyX-1")
    x.click("2 Channel X-Y Plot", "xyY-2")
    x.click("2 Channel X-Y Plot", "xyShow")
    time.sleep(0.3)
    x.shot("xy-setup", "2 Channel X-Y Plot")
    x.click("2 Channel X-Y Plot", "xyDone")
    x.find("2 Channel X-Y Plot", gone=True)

    # Timed backups every 2.5 minutes.
    choose(x, "File", "Timed Data Saves...")
    x.find("Backup Interval")
    x.click("Backup Interval", "2.5")
    time.sleep(0.3)
    shown = x.control(x.find("Backup Interval"), "backupMinutes")["text"]
    if shown.strip() != "2.5":
        raise Failure(f"the backup interval shows '{shown}' after '2.5'")
    x.shot("backup-interval", "Backup Interval")
    x.click("Backup Interval", "backupOK")
    x.find("Backup Interval", gone=True)

    # Re-arrange: 3, 1, 2.
    choose(x, "Edit", "Re-arrange Channel Order...")
    x.find("Re-arrange Channels")
    for c in (3, 1, 2):
        x.click("Re-arrange Channels", f"arrange-{c}")
    time.sleep(0.3)
    x.shot("rearrange", "Re-arrange Channels")
    x.click("Re-arrange Channels", "arrangeOK")
    x.find("Re-arrange Channels", gone=True)

    # Add a fourth channel, with its conversion window.
    choose(x, "A-D", "Add a Channel\u2026")
    x.find("Add a Channel")
    x.shot("add-channel", "Add a Channel")
    x.click("Add a Channel", "addOK")
    x.find("Chart channel 4")
    x.shot("added-channel-conversion", "Chart channel 4")
    x.click("Chart channel 4", "Selection OK")
    x.find("Chart channel 4", gone=True)

    # Cut the new channel again.
    choose(x, "A-D", "Cut Channels\u2026")
    x.find("Delete Channel(s)")
    x.click("Delete Channel(s)", "cut-4")
    time.sleep(0.3)
    x.shot("cut-channels", "Delete Channel(s)")
    x.click("Delete Channel(s)", "cutDone")
    x.find("Delete Channel(s)", gone=True)

    # The next run: three channels in the new order, and the XY plot beside the recording.
    options = x.find(HALTED)
    x.click(options["title"], "New Run, Same Setup   ('R')")
    x.find("Possible Data Loss")  # the run was quick-saved and backed up, not saved
    x.click("Possible Data Loss", "Y")
    x.find(HALTED, gone=True)
    x.find(RECORDING)
    x.find(XY_WINDOW)
    time.sleep(3.0)
    x.shot("recording-after-edits", RECORDING)
    x.shot("xy-plot", XY_WINDOW)
    options = x.hold(["Escape"], HALTED)
    x.click(options["title"], "Replay Data")
    replay = x.find("Replay Recorded Data")
    x.shot("replay-second-run", replay["title"])
    x.click(replay["title"], "replayClose")
    x.find("Replay Recorded Data", gone=True)

    x.click(options["title"], "Quit   ('Q')")
    x.find("Possible Data Loss")
    x.click("Possible Data Loss", "Y")
    try:
        code = x.app.wait(20)
    except Exception:
        raise Failure("the program did not end after Quit")
    if code != 0:
        raise Failure(f"the program ended with status {code}")
    backups = glob.glob(os.path.join(x.home, "Trindel", "Backup file*"))
    if not backups:
        raise Failure("no backup was written at the end of a run with timed backups on")

    # The quick-saved recording opened as a document: the replay with the file's facts.
    quick = glob.glob(os.path.join(x.home, "Trindel", "QuickSave *"))[0]
    x.start_program(quick)
    name = os.path.basename(quick)
    replay = x.find(name, timeout=15)
    if "binary chart" not in replay["title"] or "samples at 0.05" not in replay["title"]:
        raise Failure(f"the document's replay is titled '{replay['title']}'")
    x.shot("opened-recording", replay["title"])
    x.click(replay["title"], "replayClose")
    x.find("Startup Routines...")


def main():
    # Wide enough for the XY plot beside the recording window.
    return run_session(session, "PASS", __doc__, width=1700)


if __name__ == "__main__":
    sys.exit(main())
