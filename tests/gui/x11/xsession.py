"""A private X server for the desktop program: Xvfb on a free display, an optional window
manager, the program started with the xcb platform and a temporary HOME, real input through
xdotool, and screenshots of one window cut out of `import -window root`."""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77  # ctest's skip code: no X server could be started here


class Failure(Exception):
    pass


def have(tool):
    return shutil.which(tool) is not None


class XSession:
    def __init__(self, program, shots, wm=True, width=1280, height=1024):
        self.program = program
        self.shots = shots
        self.width, self.height = width, height
        self.procs = []
        self.home = tempfile.mkdtemp(prefix="trindel-x11-home-")
        self.map_path = os.path.join(self.home, "window-map.json")
        self.log_path = os.path.join(self.home, "trindel.log")
        self.display = self._start_xvfb()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.wm = None
        if wm and have("openbox"):
            self.wm = self._spawn(["openbox", "--sm-disable"], self.env)
            time.sleep(0.5)
        self.app = None
        self.step = 0
        os.makedirs(shots, exist_ok=True)

    # --- server and programs -------------------------------------------------------------
    def _start_xvfb(self):
        if not have("Xvfb"):
            print("SKIP: Xvfb is not installed")
            sys.exit(SKIP)
        read_fd, write_fd = os.pipe()
        proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
             f"{self.width}x{self.height}x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.procs.append(proc)
        number = b""
        deadline = time.time() + 15
        os.set_blocking(read_fd, False)
        while time.time() < deadline and not number.endswith(b"\n"):
            try:
                chunk = os.read(read_fd, 16)
                if not chunk:
                    break
                number += chunk
            except BlockingIOError:
                if proc.poll() is not None:
                    break
                time.sleep(0.05)
        os.close(read_fd)
        if not number.strip():
            proc.kill()
            print("SKIP: Xvfb could not start a display")
            sys.exit(SKIP)
        return ":" + number.decode().strip()

    def _spawn(self, argv, env, **kw):
        p = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, **kw)
        self.procs.append(p)
        return p

    def start_program(self, *args):
        env = dict(self.env, QT_QPA_PLATFORM="xcb", HOME=self.home, TRINDEL_SILENT="1",
                   TRINDEL_WINDOW_MAP=self.map_path, XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                   XDG_RUNTIME_DIR=self.home, QT_ACCESSIBILITY="0", LC_ALL="C.UTF-8")
        log = open(self.log_path, "w")
        self.app = subprocess.Popen([self.program, *args], env=env, stdout=log, stderr=log)
        self.procs.append(self.app)

    def close(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        shutil.rmtree(self.home, ignore_errors=True)

    def log_tail(self):
        try:
            with open(self.log_path) as f:
                return f.read()[-3000:]
        except OSError:
            return ""

    # --- what the program shows ----------------------------------------------------------
    def windows(self):
        try:
            with open(self.map_path) as f:
                return json.load(f)
        except (OSError, ValueError):
            return []

    def find(self, title, timeout=10.0, gone=False):
        """The window whose title starts with `title` (or wait until it is gone)."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.app is not None and self.app.poll() is not None and not gone:
                raise Failure(f"the program ended while waiting for '{title}'\n" + self.log_tail())
            hits = [w for w in self.windows() if w["title"].startswith(title)]
            if gone and not hits:
                return None
            if hits and not gone:
                time.sleep(0.25)  # let it paint and settle
                again = [w for w in self.windows() if w["title"].startswith(title)]
                if again:
                    return again[0]
            time.sleep(0.05)
        titles = [w["title"] for w in self.windows()]
        raise Failure(("still shown" if gone else "no window") + f" titled '{title}'; shown: {titles}")

    def window_titled_exactly(self, title, timeout=5.0):
        w = self.find(title, timeout)
        if w["title"] != title:
            raise Failure(f"window title is '{w['title']}', expected '{title}'")
        return w

    def control(self, window, text, kind=None):
        for c in window["controls"]:
            if (c["text"] == text or c["name"] == text) and (kind is None or c["kind"] == kind):
                return c
        raise Failure(f"no control '{text}' in '{window['title']}': "
                      + str([c["text"] or c["name"] for c in window["controls"]]))

    # --- input through the X server --------------------------------------------------------
    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def click_at(self, x, y):
        self.xdotool("mousemove", "--sync", str(x), str(y))
        time.sleep(0.05)
        self.xdotool("click", "1")

    def click(self, window_title, text, kind=None):
        w = self.find(window_title)
        c = self.control(w, text, kind)
        if not c["enabled"]:
            raise Failure(f"'{text}' in '{window_title}' is disabled")
        x, y, wd, ht = c["rect"]
        self.click_at(x + wd // 2, y + ht // 2)

    def menu_item(self, owner, menu, text, click=True):
        """Opens `menu` of the menu bar of window `owner` with a click and clicks its item `text`
        (or, with click=False, leaves the menu open and returns the item)."""
        self.click(owner, menu, kind="menu")
        found = None
        deadline = time.time() + 5
        while found is None and time.time() < deadline:
            found = next((w for w in self.windows()
                          if any(c["text"] == text for c in w["controls"])), None)
            time.sleep(0.05)
        if found is None:
            raise Failure(f"the {menu} menu shows no '{text}'")
        item = self.control(found, text)
        if not click:
            return item
        if not item["enabled"]:
            raise Failure(f"'{text}' in the {menu} menu is disabled")
        rx, ry, rw, rh = item["rect"]
        self.click_at(rx + rw // 2, ry + rh // 2)
        return item

    def key(self, *keys):
        self.xdotool("key", "--delay", "40", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "30", text)

    def hold(self, keys, until_title, extra=0.3):
        """Presses `keys` and keeps them down until a window titled `until_title` is up, as a
        person does: the key-up then goes to that window."""
        for k in keys:
            self.xdotool("keydown", k)
        try:
            w = self.find(until_title)
            time.sleep(extra)
        finally:
            for k in reversed(keys):
                self.xdotool("keyup", k)
        return w

    def colours(self, path, x, y, w, h):
        """Number of colours in a rectangle of a screenshot."""
        out = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage",
                              "-format", "%k", "info:"], capture_output=True, text=True,
                             check=True).stdout.strip()
        return int(out or "0")

    # --- screenshots ----------------------------------------------------------------------
    def shot(self, name, window_title, exact=True):
        """Screenshot of the window, cut from the whole screen; fails when its client area is
        one colour or its title is not the one expected."""
        w = self.window_titled_exactly(window_title) if exact else self.find(window_title)
        xprop = subprocess.run(["xprop", "-id", w["id"], "WM_NAME", "_NET_WM_NAME"],
                               env=self.env, capture_output=True, text=True).stdout
        if window_title.strip() and window_title.strip() not in xprop:
            raise Failure(f"the X server does not hold the title '{window_title}': {xprop}")
        self.step += 1
        path = os.path.join(self.shots, f"{self.step:02d}-{name}.png")
        x, y, wd, ht = w["rect"]
        x, y = max(x, 0), max(y, 0)
        wd, ht = min(wd, self.width - x), min(ht, self.height - y)
        full = subprocess.run(["import", "-silent", "-window", "root", "png:-"],
                              env=self.env, capture_output=True, check=True).stdout
        subprocess.run(["convert", "png:-", "-crop", f"{wd}x{ht}+{x}+{y}", "+repage", path],
                       input=full, env=self.env, check=True)
        colours = subprocess.run(["identify", "-format", "%k", path], env=self.env,
                                 capture_output=True, text=True, check=True).stdout.strip()
        if int(colours or "0") <= 1:
            raise Failure(f"window '{window_title}' is blank (one colour): {path}")
        print(f"screenshot {path}: {wd}x{ht}, {colours} colours")
        return path


def run_session(session, passed, doc, **options):
    """The whole of a test script's main(): arguments PROGRAM SCREENSHOT_DIR [--no-wm], the
    tools it needs, one X session for `session(x)`, its failure with the program's log, and the
    exit status (0 passed, 1 failed, 2 wrong arguments)."""
    if len(sys.argv) < 3:
        print(doc)
        return 2
    missing = [t for t in ("xdotool", "import", "convert", "identify", "xprop") if not have(t)]
    if missing:
        print("FAIL: missing tools (scripts/install-deps installs them):", " ".join(missing))
        return 1
    x = XSession(sys.argv[1], sys.argv[2], wm="--no-wm" not in sys.argv, **options)
    try:
        session(x)
    except Failure as e:
        print("FAIL:", e)
        print(x.log_tail())
        return 1
    finally:
        x.close()
    print(passed)
    return 0
