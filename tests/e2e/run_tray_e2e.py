#!/usr/bin/env python3
"""The resident process and its icon, under Xvfb with a real notification
area (trayer) and real X input (xdotool).

One run, in the order a user meets it: the resident process starts before
there is a notification area and its icon appears once one comes; a left
click shows the left menu, from which the default note is chosen in the
file dialog; a double click opens that note in a window process of its own,
a second double click brings that window forward instead of opening another;
a second resident start ends with -3; the notification area restarts and
the icon comes back; the right menu's last entry ends the resident process,
and the note window stays.
"""

import argparse
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run_e2e import program_env, xdotool, WAIT, Display, Failure, poll  # noqa: E402

ICON_SIZE = 22


class Desktop:
    def __init__(self, args, display):
        self.args = args
        self.folder = os.path.join(args.work, "tray")
        shutil.rmtree(self.folder, ignore_errors=True)
        runtime = os.path.join(self.folder, "runtime")
        os.makedirs(os.path.join(self.folder, "config"))
        os.makedirs(runtime, mode=0o700)
        self.note = os.path.join(self.folder, "daily.tmk")
        self.env = program_env(self.folder, display, runtime=runtime,
                               logging="tidemark.instance.debug=true")
        subprocess.run([args.setup, self.note, "A", "B"], env=self.env, check=True)
        self.logs = []
        self.processes = []
        self.tray = None

    def start(self, name, command):
        log = open(os.path.join(self.folder, name + ".log"), "wb")
        self.logs.append(log)
        process = subprocess.Popen(command, env=self.env, stdout=log, stderr=subprocess.STDOUT)
        self.processes.append(process)
        return process

    def said(self, name):
        with open(os.path.join(self.folder, name + ".log"), "rb") as log:
            return log.read().decode("utf-8", "replace")

    def start_tray(self):
        self.tray = self.start("trayer", ["trayer", "--edge", "top", "--align", "right",
                                          "--widthtype", "pixel", "--width", "100",
                                          "--height", str(ICON_SIZE + 2)])

    def stop_tray(self):
        self.tray.terminate()
        self.tray.wait(timeout=10)

    def xdo(self, *words):
        return xdotool(self.env, *words)

    def visible(self, pid):
        return self.xdo("search", "--onlyvisible", "--pid", pid).split()

    def icon_point(self, resident):
        """The middle of the resident's icon once it sits in the panel."""
        tree = subprocess.run(["xwininfo", "-root", "-tree"], env=self.env, capture_output=True,
                              text=True).stdout
        lines = tree.splitlines()
        for at, line in enumerate(lines):
            if '"panel": ("panel" "trayer")' not in line:
                continue
            # The panel's children follow, more deeply indented; the icon is
            # the program's window inside an embedding window.
            depth = len(line) - len(line.lstrip())
            for child in lines[at + 1:]:
                if len(child) - len(child.lstrip()) <= depth:
                    break
                if '("tidemark" "Tidemark")' in child:
                    place = child.split()[-1]  # +X+Y on the screen
                    _, x, y = place.split("+")
                    return int(x) + ICON_SIZE // 2, int(y) + ICON_SIZE // 2
        return None

    def click_icon(self, resident, button=1, repeat=1):
        x, y = poll("the icon in the notification area", lambda: self.icon_point(resident))
        self.xdo("mousemove", x, y)
        self.xdo("click", "--repeat", repeat, "--delay", 80, button)

    def menu_of(self, resident, timeout=WAIT):
        return poll("a menu of the icon", timeout=timeout, check=lambda: [
            w for w in self.visible(resident.pid) if self.xdo("getwindowname", w).strip() == "Tidemark"
            and "Geometry: 22x22" not in self.xdo("getwindowgeometry", w)])

    def windows_named(self, text):
        return self.xdo("search", "--onlyvisible", "--name", text).split()

    def close(self):
        # The note window was started by the resident process, not by us.
        for window in self.windows_named("daily - Tidemark"):
            pid = self.xdo("getwindowpid", window).strip()
            if pid.isdigit():
                subprocess.run(["kill", pid])
        for process in reversed(self.processes):
            if process.poll() is None:
                process.kill()
                process.wait()
        for log in self.logs:
            log.close()


def run(desktop):
    program = desktop.args.program
    resident = desktop.start("resident", [program, "/i"])
    poll("the resident start", lambda: "ready: resident" in desktop.said("resident"))
    if desktop.icon_point(resident) is not None:
        raise Failure("an icon without a notification area")

    desktop.start_tray()
    # The icon is drawn in the panel a moment before it takes clicks: a first
    # click that came too early is given again, as a person would.
    for attempt in range(3):
        desktop.click_icon(resident)
        try:
            desktop.menu_of(resident, timeout=3.0)
            break
        except Failure:
            if attempt == 2:
                raise
    print("ok   the icon appears with the notification area, a left click shows its menu")

    # "規定のノートを選択する(&S)..." of the left menu, then the file dialog.
    desktop.xdo("key", "s")
    dialog = poll("the default note chooser", lambda: desktop.windows_named("規定のノートファイルの選択"))
    desktop.xdo("windowfocus", "--sync", dialog[0])
    desktop.xdo("type", "--delay", 10, desktop.note)
    desktop.xdo("key", "Return")
    poll("the chooser to close", lambda: not desktop.windows_named("規定のノートファイルの選択"))

    desktop.click_icon(resident, repeat=2)
    poll("the default note's window", lambda: desktop.windows_named("daily - Tidemark"))
    print("ok   the default note chosen from the menu opens with a double click")

    desktop.click_icon(resident, repeat=2)
    poll("the window to come forward", lambda: desktop.said("resident").count(
        "holds " + desktop.note) >= 1)
    time.sleep(1)
    if len(desktop.windows_named("daily - Tidemark")) != 1:
        raise Failure("a second window on the same note")
    print("ok   a second double click brings that window forward")

    second = desktop.start("second", [program, "-Embedding"])
    code = second.wait(timeout=WAIT)
    if code != 253:
        raise Failure("a second resident start ended with %d, not -3" % code)
    print("ok   a second resident start ends with -3")

    desktop.stop_tray()
    desktop.start_tray()
    poll("the icon after the restart", lambda: desktop.icon_point(resident))
    print("ok   the icon comes back when the notification area restarts")

    desktop.click_icon(resident, button=3)
    desktop.menu_of(resident)
    desktop.xdo("key", "x")  # "Tidemarkの常駐を終了(&X)"
    try:
        code = resident.wait(timeout=WAIT)
    except subprocess.TimeoutExpired:
        raise Failure("the resident process did not end")
    if code != 0:
        raise Failure("the resident process ended with %d" % code)
    if not desktop.windows_named("daily - Tidemark"):
        raise Failure("the note window went with the resident process")
    print("ok   the right menu ends the resident process and the window stays")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--setup", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    for needed in ("Xvfb", "xdotool", "xwininfo", "trayer"):
        if not shutil.which(needed):
            print("missing %s (scripts/install-deps.sh installs it)" % needed)
            return 1
    os.makedirs(args.work, exist_ok=True)
    display = Display()
    desktop = Desktop(args, display)
    try:
        run(desktop)
    except (Failure, subprocess.CalledProcessError, subprocess.TimeoutExpired) as error:
        print("FAIL %s (logs in %s)" % (error, desktop.folder))
        return 1
    finally:
        desktop.close()
        display.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
