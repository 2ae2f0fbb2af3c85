#!/usr/bin/env python3
"""Drives the real program under Xvfb with real X input (xdotool).

Each case starts the program on a note of five memos (A to E at the top
level), works on the memo list with the mouse and the keyboard, saves, ends
the program and reads the saved note back with `tidemark-tool dump`.

Rows are found from pictures of the window: after Home only the first row is
selected, after Ctrl+A every row; the titles that changed between the two
pictures are those of A to E, which gives the top of the list, the row height
and where the titles end.
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

TITLES = ["A", "B", "C", "D", "E"]
WAIT = 20.0  # seconds for any state to come


class Failure(Exception):
    pass


def poll(what, check, timeout=WAIT):
    end = time.monotonic() + timeout
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.05)


def program_env(folder, display, runtime=None, logging=None):
    """The environment a run of the program gets: its own home and settings
    below `folder`, the X server `display`, no session bus of the person
    running the tests; `runtime` (a folder) for the window processes' bus,
    `logging` for QT_LOGGING_RULES."""
    env = dict(os.environ)
    env.update({
        "HOME": folder,
        "XDG_CONFIG_HOME": os.path.join(folder, "config"),
        "DISPLAY": display.name,
        "QT_QPA_PLATFORM": "xcb",
        "LC_ALL": "C.UTF-8",
    })
    if runtime:
        env["XDG_RUNTIME_DIR"] = runtime
    if logging:
        env["QT_LOGGING_RULES"] = logging
    for name in ("WAYLAND_DISPLAY", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                 "DBUS_SESSION_BUS_ADDRESS"):
        env.pop(name, None)
    return env


def xdotool(env, *words):
    """Runs xdotool; a failure other than a search finding nothing raises."""
    result = subprocess.run(["xdotool"] + [str(w) for w in words], env=env,
                            capture_output=True, text=True)
    if result.returncode != 0 and words[0] != "search":
        raise Failure("xdotool %s: %s" % (" ".join(map(str, words)), result.stderr))
    return result.stdout


class Display:
    """An Xvfb server on a free display number."""

    def __init__(self):
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        with os.fdopen(read, "rb") as pipe:
            while not number.endswith(b"\n"):
                byte = pipe.read(1)
                if not byte:
                    raise Failure("Xvfb did not start")
                number += byte
        self.name = ":" + number.decode().strip()

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Session:
    """One run of the program on its own note and profile."""

    def __init__(self, args, display, name):
        self.args = args
        self.folder = os.path.join(args.work, name)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(os.path.join(self.folder, "config"))
        self.note = os.path.join(self.folder, "e2e.tmk")
        self.env = program_env(self.folder, display)
        subprocess.run([args.setup, self.note] + TITLES, env=self.env, check=True)
        self.log = open(os.path.join(self.folder, "program.log"), "wb")
        self.process = subprocess.Popen([args.program, self.note], env=self.env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        self.window = poll("the main window", self.main_window)
        self.xdo("windowfocus", "--sync", self.window)
        self.top, self.row_height, self.left, self.right = self.find_rows()

    def xdo(self, *words):
        return xdotool(self.env, *words)

    def windows(self):
        return self.xdo("search", "--onlyvisible", "--pid", self.process.pid).split()

    def main_window(self):
        if self.process.poll() is not None:
            self.log.flush()
            with open(self.log.name, "rb") as log:
                said = log.read().decode("utf-8", "replace").strip()[-2000:]
            raise Failure("the program ended at start (%d): %s" % (self.process.returncode, said))
        found = [w for w in self.windows() if "e2e" in self.xdo("getwindowname", w)]
        return found[0] if found else None

    def picture(self):
        """The window as rows of RGB pixels."""
        data = subprocess.run(["import", "-window", self.window, "-depth", "8", "ppm:-"], env=self.env,
                              capture_output=True, check=True).stdout
        fields, at = [], 0
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            end = at
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[at:end])
            at = end
        width, height = int(fields[1]), int(fields[2])
        pixels = data[at + 1:]
        return width, height, [pixels[y * width * 3:(y + 1) * width * 3] for y in range(height)]

    def settled_picture(self):
        """A picture of the window once painting has come to rest."""
        last = [None]

        def same():
            picture = self.picture()
            if picture == last[0]:
                return picture
            last[0] = picture
            time.sleep(0.1)
            return None

        return poll("the window to settle", same)

    def find_rows(self):
        self.xdo("key", "Home")
        before = self.settled_picture()

        def changed():
            width, height, after = self.settled_picture()
            if (width, height) != before[:2]:
                return None
            lines = []
            for y in range(height):
                a, b = before[2][y], after[y]
                lines.append([x for x in range(width) if a[x * 3:x * 3 + 3] != b[x * 3:x * 3 + 3]])
            # The changed lines fall into bands: the rows A to E make the
            # lowest tall one (the toolbars above change too, as commands for
            # several rows come on; the status bar's count is a short band).
            # Gaps of a few lines between rows belong to the band.
            bands, start, end = [], None, None
            for y in range(height + 1):
                if y < height and lines[y]:
                    if start is None or y - end > 4:
                        if start is not None:
                            bands.append((end - start + 1, start, end))
                        start = y
                    end = y
            if start is not None:
                bands.append((end - start + 1, start, end))
            tall = [band for band in bands if band[0] >= 4 * 8]
            if not tall:
                return None
            size, first, last = max(tall, key=lambda band: band[1])
            xs = [x for y in range(first, last + 1) for x in lines[y]]
            return first, last, min(xs), max(xs)

        self.xdo("key", "ctrl+a")
        first, last, left, right = poll("the rows to be selected", changed)
        # The focused row A is drawn anew as well: the band is rows A to E.
        height = (last - first + 1) / len(TITLES)
        return first, height, left, right

    def row_point(self, row, lower=False):
        """A point in `row` right of its title (where a click would edit it)."""
        x = int(self.right + 40)
        y = int(self.top + self.row_height * (row + (0.8 if lower else 0.5)))
        return x, y

    def click(self, row, modifiers=()):
        x, y = self.row_point(row)
        self.xdo("mousemove", "--window", self.window, x, y)
        for key in modifiers:
            self.xdo("keydown", key)
        self.xdo("click", 1)
        for key in modifiers:
            self.xdo("keyup", key)
        # Clicks on other rows soon after are no double click.
        time.sleep(0.05)

    def drag(self, row, onto, modifiers=()):
        x, y = self.row_point(row)
        tx, ty = self.row_point(onto, lower=True)
        self.xdo("mousemove", "--window", self.window, x, y)
        for key in modifiers:
            self.xdo("keydown", key)
        self.xdo("mousedown", 1)
        steps = 12
        for i in range(1, steps + 1):
            self.xdo("mousemove", "--window", self.window, x + (tx - x) * i // steps,
                     y + (ty - y) * i // steps)
            time.sleep(0.03)
        # The drop goes where the pointer rests.
        self.xdo("mousemove", "--window", self.window, tx, ty + 1)
        time.sleep(0.2)
        self.xdo("mouseup", 1)
        for key in modifiers:
            self.xdo("keyup", key)

    def answer_question(self, key):
        dialog = poll("the question", lambda: [w for w in self.windows() if w != self.window])
        self.xdo("windowfocus", "--sync", dialog[0])
        self.xdo("key", key)
        poll("the question to close", lambda: self.windows() == [self.window])
        self.xdo("windowfocus", "--sync", self.window)

    def finish(self):
        """Saves, ends the program and gives the saved note."""
        self.xdo("key", "ctrl+s")
        # The File menu, then its last command (the program's end).
        self.xdo("key", "alt+f")
        poll("the File menu", lambda: len(self.windows()) > 1)
        self.xdo("key", "x")
        try:
            self.process.wait(timeout=WAIT)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            raise Failure("the program did not end")
        self.log.close()
        dump = subprocess.run([self.args.tool, "dump", self.note], capture_output=True,
                              check=True, text=True).stdout
        return json.loads(dump)

    def abandon(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()


def top_memos(note):
    return note["root"].get("children", [])


def titles(note):
    return [memo["title"] for memo in top_memos(note)]


# The cases: each works on a started session and checks the saved note.
def case_drag_moves(s):
    s.click(0)
    s.drag(0, 2)
    return titles(s.finish()), ["B", "C", "A", "D", "E"]


def case_ctrl_drag_copies(s):
    s.click(0)
    s.click(1, ["shift"])
    s.drag(1, 3, ["ctrl"])
    return titles(s.finish()), ["A", "B", "C", "D", "A", "B", "E"]


def case_click_after_select_all(s):
    # Ctrl+A is what the row search did last.
    s.click(2)
    s.xdo("key", "Delete")
    s.answer_question("y")
    return titles(s.finish()), ["A", "B", "D", "E"]


def case_shift_and_ctrl_click(s):
    s.click(0)
    s.click(3, ["shift"])   # A to D
    s.click(1, ["ctrl"])    # B out again
    s.click(4, ["ctrl"])    # E in
    s.xdo("key", "Delete")
    s.answer_question("y")
    return titles(s.finish()), ["B"]


def case_command_key_in_text_pane(s):
    s.xdo("key", "Home")
    s.xdo("key", "ctrl+Return")  # into the text pane
    s.xdo("type", "x")
    s.xdo("key", "shift+j")      # assigned to the new-memo command
    note = s.finish()
    memos = top_memos(note)
    bodies = "".join(m.get("body", "") for m in memos)
    return ((len(memos), "x" in bodies, "J" in bodies), (6, True, False))


CASES = [
    case_drag_moves,
    case_ctrl_drag_copies,
    case_click_after_select_all,
    case_shift_and_ctrl_click,
    case_command_key_in_text_pane,
]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--tool", required=True)
    parser.add_argument("--setup", required=True)
    parser.add_argument("--work", default=None)
    parser.add_argument("--only", default=None)
    args = parser.parse_args()
    for needed in ("Xvfb", "xdotool", "import"):
        if not shutil.which(needed):
            print("missing %s (scripts/install-deps.sh installs it)" % needed)
            return 1
    if args.work is None:
        args.work = tempfile.mkdtemp(prefix="tidemark-e2e-")
    os.makedirs(args.work, exist_ok=True)
    display = Display()
    failed = 0
    try:
        for case in CASES:
            name = case.__name__[len("case_"):]
            if args.only and args.only != name:
                continue
            session = None
            try:
                session = Session(args, display, name)
                got, expected = case(session)
                if got != expected:
                    raise Failure("got %r, expected %r" % (got, expected))
                print("ok   %s" % name)
            except (Failure, subprocess.CalledProcessError) as error:
                failed += 1
                print("FAIL %s: %s" % (name, error))
                if session:
                    session.abandon()
                    print("     (log: %s)" % os.path.join(session.folder, "program.log"))
    finally:
        display.close()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
