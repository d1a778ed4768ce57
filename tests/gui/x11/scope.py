#!/usr/bin/env python3
"""Scope and scope-plus-chart recording in the desktop program on a real X server, driven with
real clicks and keys: the scope tab, the scope interval dialog, "Data Display for Oscilloscope",
a scope sweep saved with Tab, and a scope-plus-chart run. Every window met is photographed.

usage: scope.py PROGRAM SCREENSHOT_DIR [--no-wm]"""

import glob
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xsession import Failure, XSession, have, run_session  # noqa: E402

RECORDING = " Trindel:  Acquire Data "
ROOT_DIALOG = "Scope File Root..."


def name_sweep_files(x, root, shot_name=None):
    """Answers the question each scope run sequence asks: the root of its sweep files, then
    the comment kept in every sweep file."""
    x.find(ROOT_DIALOG)
    if shot_name:
        x.shot(shot_name, ROOT_DIALOG)
    x.click(ROOT_DIALOG, "fileNameEdit")
    x.key("ctrl+a")
    x.type(root)
    x.key("Return")
    x.find(ROOT_DIALOG, gone=True)
    comments = x.find("Kestrine scope file")
    if shot_name:
        x.shot(shot_name + "-comments", comments["title"])
    x.click(comments["title"], "Comments OK")
    x.find("Kestrine scope file", gone=True)


def wait_for_files(pattern, what):
    deadline = time.time() + 5
    saved = []
    while not saved and time.time() < deadline:
        time.sleep(0.2)
        saved = glob.glob(pattern)
    if not saved:
        raise Failure(what)
    return saved


def scope_session(x):
    x.start_program()
    x.find("Startup Routines...")
    x.click("Startup Routines...", "Test Mode")

    # Scope mode: one channel, no count button needed.
    x.find("Modes and Channels")
    x.click("Modes and Channels", "Scope (1 Channel)", kind="tab")
    time.sleep(0.3)
    x.shot("modes-scope-tab", "Modes and Channels")
    x.click("Modes and Channels", "Selection OK")

    x.find("Scope Sample Rate")
    x.click("Scope Sample Rate", "1/60 second")
    x.shot("scope-sample-rate", "Scope Sample Rate")
    x.click("Scope Sample Rate", "Selection OK")

    setup = x.find("OSCILLOSCOPE Mode")
    x.click(setup["title"], "Scope View...")
    x.find("Data Display for Oscilloscope")
    x.click("Data Display for Oscilloscope", "2nd Point")
    x.shot("scope-view", "Data Display for Oscilloscope")
    x.click("Data Display for Oscilloscope", "Selection OK")
    x.find("Data Display for Oscilloscope", gone=True)
    x.shot("scope-acquisition-parameters", setup["title"])
    x.click(setup["title"], "Setup OK")
    name_sweep_files(x, os.path.join(x.home, "heart"), "scope-file-root")

    x.find(RECORDING)
    time.sleep(5.0)
    x.shot("scope-sweep", RECORDING)
    x.click(RECORDING, "toolbar-11")  # "Save scope"
    saved = wait_for_files(os.path.join(x.home, "heart 1*"), "Save scope saved no sweep file")
    options = x.hold(["Escape"], "Oscilloscope Acquisition Halted")
    x.shot("scope-options", options["title"])

    # The scope interval again from Edit > "Scope Sample Rate..." while the options window is up.
    x.menu_item(RECORDING, "Edit", "Scope Sample Rate...")
    x.find("Scope Sample Rate")
    x.click("Scope Sample Rate", "1/60 second")
    x.shot("edit-scope-sample-rate", "Scope Sample Rate")
    x.click("Scope Sample Rate", "Selection OK")
    x.find("Scope Sample Rate", gone=True)

    # A new set-up: scope plus chart with three channels.
    x.click(options["title"], "New Setup")
    x.find("Modes and Channels")
    x.click("Modes and Channels", "Scope + Chart (2 - 5 Channels)", kind="tab")
    x.click("Modes and Channels", "3 Channels")
    x.shot("modes-scope-chart-tab", "Modes and Channels")
    x.click("Modes and Channels", "Selection OK")
    x.find("Scope Sample Rate")
    x.click("Scope Sample Rate", "1/60 second")
    x.click("Scope Sample Rate", "Selection OK")
    x.find("Sample Rate")
    x.click("Sample Rate", "1/10 second")
    x.click("Sample Rate", "Selection OK")
    setup = x.find("SCOPE plus CHART Mode")
    x.click(setup["title"], "Setup OK")
    name_sweep_files(x, os.path.join(x.home, "breath"))
    x.find(RECORDING)
    time.sleep(3.0)
    x.key("Tab")  # saves the sweep on channel 1
    time.sleep(2.0)
    x.shot("scope-plus-chart", RECORDING)
    wait_for_files(os.path.join(x.home, "breath 1*"), "Tab saved no sweep in scope plus chart")
    options = x.hold(["Escape"], "Chart Halted at")
    x.shot("scope-plus-chart-options", options["title"])
    x.click(options["title"], "Quit   ('Q')")
    try:
        x.find("Possible Data Loss", timeout=3)
        x.click("Possible Data Loss", "Y")
    except Failure:
        pass
    try:
        code = x.app.wait(20)
    except Exception:
        raise Failure("the program did not end after Quit")
    if code != 0:
        raise Failure(f"the program ended with status {code}")
    print(f"saved {saved[0]}")


def main():
    return run_session(scope_session, "scope session passed", __doc__)


if __name__ == "__main__":
    sys.exit(main())
