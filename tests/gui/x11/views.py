#!/usr/bin/env python3
"""The View, Edit and Help windows on a real X server: after a short demonstration recording each
window is opened through the menu bar with real clicks, photographed and closed. The help book
opens from the Help menu, from Ctrl-H, and by itself beside a window while "Always Show Help Data"
is checked.

usage: views.py PROGRAM SCREENSHOT_DIR [--no-wm]"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xsession import Failure, XSession, have, run_session  # noqa: E402

RECORDING = " Trindel:  Acquire Data "
SETUP = "CHART Mode Acquisition Parameters"
HALTED = "Chart Halted at"
HELP = "Trindel Help"


def menu_popup(x, item_text, timeout=5.0):
    """The open menu that shows `item_text`, and that item."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        for w in x.windows():
            for c in w["controls"]:
                if c.get("kind") == "item" and c["text"].strip() == item_text:
                    return w, c
        time.sleep(0.05)
    raise Failure(f"no open menu shows '{item_text}'")


def choose(x, menu, *path):
    """Clicks the menu title, then each item of `path` (submenus are opened by hovering)."""
    x.click(RECORDING, menu, kind="menu")
    for i, text in enumerate(path):
        _, item = menu_popup(x, text)
        if not item["enabled"]:
            raise Failure(f"'{menu} > {text}' is disabled")
        rx, ry, rw, rh = item["rect"]
        if i < len(path) - 1:
            x.xdotool("mousemove", "--sync", str(rx + rw // 2), str(ry + rh // 2))
            time.sleep(0.6)
        else:
            x.click_at(rx + rw // 2, ry + rh // 2)
    time.sleep(0.3)


def item_state(x, menu, text):
    x.click(RECORDING, menu, kind="menu")
    _, item = menu_popup(x, text)
    x.key("Escape")
    time.sleep(0.3)
    return item


def record_briefly(x):
    x.start_program()
    x.click("Startup Routines...", "Test Mode")
    x.find("Modes and Channels")
    x.click("Modes and Channels", "3 Channels")
    x.click("Modes and Channels", "Selection OK")
    x.find("Sample Rate")
    x.click("Sample Rate", "1/10 second")
    x.click("Sample Rate", "Selection OK")
    x.find(SETUP)
    x.click(SETUP, "Setup OK")
    x.find(RECORDING)
    time.sleep(1.5)
    return x.hold(["Escape"], HALTED)


def views(x):
    record_briefly(x)

    # Help book from the Help menu: the contents page, then a page through its link.
    choose(x, "Help", "Trindel Help Book")
    x.find(HELP)
    x.shot("help-contents", HELP)
    x.key("Escape")
    x.find(HELP, gone=True)
    # Ctrl-H ("     Open Help Window...") from the recording window.
    x.click(RECORDING, "View", kind="menu")
    x.key("Escape")
    x.key("ctrl+h")
    x.find(HELP)
    x.key("Escape")
    x.find(HELP, gone=True)

    choose(x, "Help", "About Trindel...")
    x.shot("about", "About Trindel")
    x.click("About Trindel", "OK")
    x.find("About Trindel", gone=True)

    # View windows.
    choose(x, "View", "Screen Colors...")
    x.shot("screen-colors", "Select Chart and Scope Colors")
    x.click("Select Chart and Scope Colors", "High-Speed Scope Colors")
    x.click("Select Chart and Scope Colors", "Selection OK")
    x.find("Select Chart and Scope Colors", gone=True)

    choose(x, "View", "Plot Height...")
    w = x.find("Adjust Chart Height")
    wx, wy = w["rect"][:2]
    again = x.control(w, "Do Again")
    top = again["rect"][1]
    # Two clicks in the bands: channel 1 ends high, channel 2 lower; channel 3 takes the rest.
    x.click_at(wx + 200, wy + 60)
    time.sleep(0.3)
    x.click_at(wx + 200, wy + 200)
    time.sleep(0.3)
    x.shot("plot-height", "Adjust Chart Height")
    labels = [c["text"] for c in x.find("Adjust Chart Height")["controls"] if c["kind"] == "label"]
    if "All boundaries placed." not in labels:
        raise Failure(f"the plot heights were not placed by two clicks: {labels} (buttons at {top})")
    x.click("Adjust Chart Height", "Plot Heights OK; Done")
    x.find("Adjust Chart Height", gone=True)

    # The chart rate from the Edit menu: a longer recording, so that the chart view offers
    # several screens.
    choose(x, "Edit", "Chart Sample Rate...")
    x.find("Sample Rate")
    x.click("Sample Rate", "1/20 second")
    x.click("Sample Rate", "totalSamples")
    x.key("ctrl+a")
    x.type("20000")
    x.key("Tab")
    time.sleep(0.3)
    x.shot("chart-sample-rate", "Sample Rate")
    x.click("Sample Rate", "Selection OK")
    x.find("Sample Rate", gone=True)

    choose(x, "View", "Chart Views and Tics...")
    x.find("Chart Display Conditions")
    x.click("Chart Display Conditions", "2048")
    x.find("Chart Display Conditions")
    x.click("Chart Display Conditions", "ticValue")
    x.key("ctrl+a")
    x.type("2")
    x.shot("chart-view", "Chart Display Conditions")
    x.click("Chart Display Conditions", "Done")
    x.find("Chart Display Conditions", gone=True)

    choose(x, "View", "Status Displays...")
    x.shot("status-displays", "Status Displays")
    x.click("Status Displays", "Displays OK")
    x.find("Status Displays", gone=True)

    choose(x, "View", "Recording Window Size", "Drag to Desired Size...")
    size = x.find(" Acquisition Window Example ")
    x.xdotool("windowsize", size["id"], "900", "640")
    time.sleep(0.8)
    x.shot("window-size", " Acquisition Window Example ")
    x.key("space")
    x.find(" Acquisition Window Example ", gone=True)
    choose(x, "View", "Recording Window Size", "800 X 600")

    # Edit windows.
    choose(x, "Edit", "Data File Info...")
    x.shot("data-file-info", "Data File Info")
    x.click("Data File Info", "OK")
    x.find("Data File Info", gone=True)

    choose(x, "Edit", "Rate Records Precision...")
    x.shot("rate-precision", "Sample Rate Precision")
    x.click("Sample Rate Precision", "\u00b1 1%")
    x.click("Sample Rate Precision", "OK")
    x.find("Sample Rate Precision", gone=True)

    choose(x, "Edit", "External Device Control...")
    x.shot("external-device-control", "Digitial Control of External Devices")
    x.key("Escape")
    x.find("Digitial Control of External Devices", gone=True)

    if item_state(x, "Edit", "Scope Sample Rate...")["enabled"]:
        raise Failure("'Scope Sample Rate...' is enabled without a scope window")

    # "Always Show Help Data": the page of a window opens beside it.
    choose(x, "View", "Always Show Help Data")
    choose(x, "Edit", "Rate Records Precision...")
    x.find("Sample Rate Precision")
    x.window_titled_exactly(HELP + ": Sample rate precision")
    x.shot("help-beside-window", HELP + ": Sample rate precision")
    # The help beside a modal window can be used: its Contents button works.
    x.click(HELP, "Contents")
    time.sleep(0.5)
    x.window_titled_exactly(HELP)
    x.click("Sample Rate Precision", "OK")
    x.find("Sample Rate Precision", gone=True)
    x.find(HELP, gone=True)
    choose(x, "View", "Always Show Help Data")

    # Quit, answering the unsaved-data question.
    options = x.find(HALTED)
    x.click(options["title"], "Quit   ('Q')")
    x.find("Possible Data Loss")
    x.click("Possible Data Loss", "Y")
    if x.app.wait(20) != 0:
        raise Failure("the program did not end cleanly")


def main():
    return run_session(views, "view windows passed", __doc__)


if __name__ == "__main__":
    sys.exit(main())
