#!/usr/bin/env python3
"""A recording ended from outside and recovered at the next start, on a real X server: SIGTERM
during a run leaves the run's journal on disk, and the next start asks whether to recover it,
saves it under the name typed into the save dialog and removes the journal.

usage: journal.py PROGRAM CLI SCREENSHOT_DIR"""

import glob
import os
import re
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xsession import Failure, XSession, have  # noqa: E402

RECORDING = " Trindel:  Acquire Data "
SETUP = "CHART Mode Acquisition Parameters"
QUESTION = "Unsaved recording"
SAVE = "Save Recovered Recording As..."


def journals(x):
    return glob.glob(os.path.join(x.home, "Trindel", "*.journal"))


def start_recording(x):
    x.click("Startup Routines...", "Test Mode")
    x.find("Modes and Channels")
    x.click("Modes and Channels", "4 Channels")
    x.click("Modes and Channels", "Selection OK")
    x.find("Sample Rate")
    x.click("Sample Rate", "1/20 second")
    x.click("Sample Rate", "Selection OK")
    x.find(SETUP)
    x.click(SETUP, "Setup OK")
    x.find(RECORDING)


def session(x, cli):
    # A run ended by SIGTERM after about 4 s: the program ends and its journal stays.
    x.start_program()
    x.find("Startup Routines...")
    if journals(x):
        raise Failure(f"a journal before any run: {journals(x)}")
    start_recording(x)
    time.sleep(4.0)
    if len(journals(x)) != 1:
        raise Failure(f"no journal while recording: {journals(x)}")
    x.app.send_signal(signal.SIGTERM)
    try:
        code = x.app.wait(10)
    except subprocess.TimeoutExpired:
        raise Failure("the program did not end on SIGTERM")
    if code != 0:
        raise Failure(f"the program ended with status {code} on SIGTERM")
    left = journals(x)
    if len(left) != 1:
        raise Failure(f"no journal after SIGTERM: {left}")

    # The next start asks, and the recording is saved where the user says.
    x.start_program()
    question = x.find(QUESTION)
    text = " ".join(c["text"] for c in question["controls"])
    m = re.search(r"Recover unsaved recording from \d\d/\d\d/\d\d \d\d:\d\d:\d\d \((\d+) samples\)\?",
                  text)
    if not m:
        raise Failure(f"the question window says: {text}")
    asked = int(m.group(1))
    if asked < 40:  # 4 s at 1/20 s, less at most the last two seconds
        raise Failure(f"only {asked} samples offered after 4 s at 1/20 s")
    x.shot("recover-question", QUESTION)
    x.click(QUESTION, "Recover...")
    x.find(SAVE)
    x.click(SAVE, "fileNameEdit")
    x.key("ctrl+a")
    target = os.path.join(x.home, "recovered.kstn")
    x.type(target)
    x.shot("recover-save-dialog", SAVE)
    x.key("Return")
    x.find("Startup Routines...")
    if journals(x):
        raise Failure(f"the journal is still there after recovering it: {journals(x)}")
    info = subprocess.run([cli, "info", target], capture_output=True, text=True)
    saved = re.search(r"Samples: *(\d+) per channel", info.stdout)
    if info.returncode != 0 or not saved or int(saved.group(1)) != asked:
        raise Failure(f"recovered file: {info.stdout} {info.stderr}")
    print(f"recovered {asked} samples to {target}")


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    missing = [t for t in ("xdotool", "import", "convert", "identify", "xprop") if not have(t)]
    if missing:
        print("FAIL: missing tools (scripts/install-deps installs them):", " ".join(missing))
        return 1
    x = XSession(sys.argv[1], sys.argv[3])
    try:
        session(x, sys.argv[2])
    except Failure as e:
        print("FAIL:", e)
        print(x.log_tail())
        return 1
    finally:
        x.close()
    print("journal session passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
