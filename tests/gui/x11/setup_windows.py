#!/usr/bin/env python3
"""The set-up windows on a real X server, reached with real clicks and keys: direct calibration
from a channel's conversion window (four points, a linear and a 2-order fit, the residual plot),
then, between runs, "Preferences...", "Custom Conversions..." and "Print Setup Data..." from the
menus. Every window met is photographed and must show its title and a painted client area.

usage: setup_windows.py PROGRAM SCREENSHOT_DIR"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xsession import Failure, XSession, have, run_session  # noqa: E402

RECORDING = " Trindel:  Acquire Data "
SETUP = "CHART Mode Acquisition Parameters"
HALTED = "Chart Halted at"
CALIBRATION = "Direct Calibration for Channel 1, Input 1   (100 points maximum)"


def menu_item(x, owner, menu, text):
    """Opens `menu` of the menu bar and clicks its item `text`."""
    x.menu_item(owner, menu, text)


def calibrate(x):
    x.click(SETUP, "Conversion\u2026")
    x.find("Chart channel 1")
    x.click("Chart channel 1", "Direct Calibration\u2026")
    x.find(CALIBRATION)
    x.click(CALIBRATION, "calibrationValue")
    for value in ("0", "10", "20", "30", "40"):
        x.key("ctrl+a")
        x.type(value)
        x.key("Return")
        time.sleep(0.3)
    w = x.find(CALIBRATION)
    volts = x.control(w, "measuredVolts")["text"]
    if not volts:
        raise Failure("'measured volts:' stays empty after 'Get Voltage'")
    if not any(c["text"] == "5 points entered" for c in w["controls"]):
        raise Failure("the window does not say '5 points entered'")
    x.shot("calibration-linear", CALIBRATION)
    x.click(CALIBRATION, "2-order Poly")
    time.sleep(0.3)
    x.shot("calibration-quadratic", CALIBRATION)
    x.click(CALIBRATION, "Show Residuals")
    time.sleep(0.3)
    x.shot("calibration-residuals", CALIBRATION)
    x.click(CALIBRATION, "Power")
    time.sleep(0.3)
    x.shot("calibration-power", CALIBRATION)
    x.click(CALIBRATION, "calibrationLabel")
    x.key("ctrl+a")
    x.type("oxygen standard")
    x.click(CALIBRATION, "equationOK")
    x.find(CALIBRATION, gone=True)
    conv = x.find("Chart channel 1")
    label = x.control(conv, "channelLabel")["text"]
    if label != "oxygen standard":
        raise Failure(f"the conversion window's label is '{label}' after 'Equation OK'")
    x.shot("conversion-after-calibration", "Chart channel 1")
    x.click("Chart channel 1", "Selection OK")
    x.find("Chart channel 1", gone=True)


def between_runs(x, options):
    menu_item(x, RECORDING, "Edit", "Preferences...")
    x.find("User Preferences")
    x.shot("preferences", "User Preferences")
    x.click("User Preferences", "A-D Interface, Files")
    time.sleep(0.3)
    x.shot("preferences-files", "User Preferences")
    x.click("User Preferences", "Acquiring Data")
    time.sleep(0.3)
    x.shot("preferences-acquiring", "User Preferences")
    x.click("User Preferences", "OK")
    x.find("User Preferences", gone=True)

    menu_item(x, RECORDING, "Edit", "Custom Conversions...")
    x.find("Modify Voltage Conversions")
    x.shot("custom-conversions", "Modify Voltage Conversions")
    x.click("Modify Voltage Conversions", "Transfer Current Conversions...")
    time.sleep(0.3)
    x.shot("conversion-transfer", "Modify Voltage Conversions")
    x.click("Modify Voltage Conversions", "Conversions OK")
    x.find("Modify Voltage Conversions", gone=True)

    menu_item(x, RECORDING, "File", "Print Setup Data...")
    x.find("Setup Data")
    x.click("Setup Data", "sendToPrinter")
    x.shot("print-setup", "Setup Data")
    x.click("Setup Data", "OK")
    x.find("Print", timeout=10)
    time.sleep(0.5)
    x.shot("print-dialog", "Print", exact=False)
    # No printer here: the dialog offers "Print to File (PDF)"; Return prints to its file.
    x.key("Return")
    x.find("Setup Data", gone=True)
    deadline = time.time() + 10
    pdfs = []
    while not pdfs and time.time() < deadline:
        pdfs = [os.path.join(r, f) for r, _, fs in os.walk(x.home) for f in fs
                if f.endswith(".pdf")]
        time.sleep(0.2)
    if not pdfs:
        raise Failure("printing to PDF wrote no file")
    with open(pdfs[0], "rb") as f:
        if not f.read(4) == b"%PDF":
            raise Failure(f"{pdfs[0]} is not a PDF file")
    print("printed", pdfs[0])


def session(x):
    x.start_program()
    x.click("Startup Routines...", "Test Mode")
    x.find("Modes and Channels")
    x.click("Modes and Channels", "4 Channels")
    x.click("Modes and Channels", "Selection OK")
    x.find("Sample Rate")
    x.click("Sample Rate", "1/20 second")
    x.click("Sample Rate", "Selection OK")
    x.find(SETUP)
    calibrate(x)
    x.shot("acquisition-after-calibration", SETUP)
    x.click(SETUP, "Setup OK")
    x.find(RECORDING)
    time.sleep(1.0)
    options = x.hold(["Escape"], HALTED)
    between_runs(x, options)
    options = x.find(HALTED)
    x.click(options["title"], "Quit   ('Q')")
    x.find("Possible Data Loss")
    x.click("Possible Data Loss", "Y")
    if x.app.wait(20) != 0:
        raise Failure("the program did not end cleanly")


def main():
    return run_session(session, "set-up windows passed", __doc__)


if __name__ == "__main__":
    sys.exit(main())
