#!/usr/bin/env python3
"""The options sheet, printing and the shortcut dialog under Xvfb with real X
input (xdotool).

Two window processes of the program run on one desktop. In the first, the
options sheet is opened from the View menu with the keyboard, the memo
list's grid lines are switched on by their mnemonic and OK is pressed; the
second window must report that it applied the saved settings with grid
lines. Then Ctrl+P in the first window opens the print dialog, which is
accepted as it stands (no printer here: it prints to the PDF file it
proposes beside the note), and the PDF must hold the note's memos. Last,
File → ショートカットの作成 gets a typed name and the menu place; the desktop
entry written must pass desktop-file-validate and start the program on the
note.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run_e2e import program_env, xdotool, Display, Failure, poll  # noqa: E402


class Desktop:
    def __init__(self, args, display):
        self.args = args
        self.folder = os.path.join(args.work, "dialogs")
        shutil.rmtree(self.folder, ignore_errors=True)
        runtime = os.path.join(self.folder, "runtime")
        os.makedirs(os.path.join(self.folder, "config"))
        os.makedirs(runtime, mode=0o700)
        self.env = program_env(self.folder, display, runtime=runtime,
                               logging="tidemark.instance.debug=true")
        self.notes = {}
        self.processes = {}
        self.logs = []

    def start(self, name, titles):
        note = os.path.join(self.folder, name + ".tmk")
        subprocess.run([self.args.setup, note] + titles, env=self.env, check=True)
        log = open(os.path.join(self.folder, name + ".log"), "wb")
        self.logs.append(log)
        self.notes[name] = note
        self.processes[name] = subprocess.Popen([self.args.program, note], env=self.env,
                                                stdout=log, stderr=subprocess.STDOUT)
        poll("the window of " + name, lambda: "ready: " + note in self.said(name))
        return poll("the window of " + name, lambda: self.window_of(name, name))

    def said(self, name):
        with open(os.path.join(self.folder, name + ".log"), "rb") as log:
            return log.read().decode("utf-8", "replace")

    def xdo(self, *words):
        return xdotool(self.env, *words)

    def windows(self, name):
        process = self.processes[name]
        if process.poll() is not None:
            raise Failure("%s ended (%d)" % (name, process.returncode))
        return self.xdo("search", "--onlyvisible", "--pid", process.pid).split()

    def window_of(self, name, title):
        for window in self.windows(name):
            if title in self.xdo("getwindowname", window):
                return window
        return None

    def settle(self, window):
        """Waits until the window's picture has come to rest (its widgets are up)."""
        last = [None]

        def same():
            picture = subprocess.run(["import", "-window", window, "ppm:-"], env=self.env,
                                     capture_output=True).stdout
            if picture and picture == last[0]:
                return True
            last[0] = picture
            return False

        poll("the window to settle", same)

    def key(self, *keys):
        self.xdo("key", "--clearmodifiers", *keys)

    def close(self):
        subprocess.run(["import", "-window", "root", os.path.join(self.folder, "screen.png")],
                       env=self.env, capture_output=True)
        for process in self.processes.values():
            if process.poll() is None:
                process.kill()
                process.wait()
        for log in self.logs:
            log.close()


def run(desktop):
    d = desktop
    first = d.start("first", ["Weekly", "Plan"])
    d.start("second", ["other"])

    # 表示(&V) → オプション(&O)...; on the first page 表示, the grid lines box (&G).
    d.xdo("windowfocus", "--sync", first)
    d.key("alt+v")
    poll("the View menu", lambda: len(d.windows("first")) > 1)
    d.key("o")
    sheet = poll("the options sheet", lambda: d.window_of("first", "オプション"))
    d.settle(sheet)
    d.xdo("windowfocus", "--sync", sheet)
    d.key("alt+g")
    # A mnemonic clicks its box the way a mouse does, with a short press
    # shown first; OK comes after it, as a person's next key would.
    time.sleep(0.3)
    d.key("Return")
    poll("the options sheet to close", lambda: d.window_of("first", "オプション") is None)
    poll("the second window applying the settings",
         lambda: "grid lines 1" in d.said("second"))

    # Ctrl+P: the print dialog proposes first.pdf beside the note; Return prints.
    d.xdo("windowfocus", "--sync", first)
    d.key("ctrl+p")
    poll("the print dialog", lambda: len(d.windows("first")) > 1)
    d.key("Return")
    pdf = os.path.join(d.folder, "first.pdf")
    poll("the printed file", lambda: os.path.exists(pdf) and os.path.getsize(pdf) > 0 and
         len(d.windows("first")) == 1)
    text = subprocess.run(["pdftotext", "-enc", "UTF-8", pdf, "-"], capture_output=True,
                          check=True, text=True).stdout
    for needed in ("表題: Weekly", "表題: Plan", "body Weekly", "body Plan"):
        if needed not in text:
            raise Failure("the PDF lacks %r: %r" % (needed, text[:400]))

    # ファイル(&F) → ショートカットの作成(&H)...: the name box comes selected.
    d.xdo("windowfocus", "--sync", first)
    d.key("alt+f")
    poll("the File menu", lambda: len(d.windows("first")) > 1)
    d.key("h")
    dialog = poll("the shortcut dialog", lambda: d.window_of("first", "ショートカットの作成"))
    d.settle(dialog)
    d.xdo("windowfocus", "--sync", dialog)
    d.xdo("type", "--delay", "20", "Weekly Notes")
    d.key("alt+m")
    time.sleep(0.3)
    d.key("Return")
    entry = os.path.join(d.folder, ".local", "share", "applications", "Weekly Notes.desktop")
    poll("the desktop entry", lambda: os.path.exists(entry) and
         d.window_of("first", "ショートカットの作成") is None)
    validated = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
    if validated.returncode != 0 or validated.stdout.strip():
        raise Failure("desktop-file-validate: %s" % (validated.stdout + validated.stderr))
    with open(entry, encoding="utf-8") as text_file:
        lines = text_file.read().splitlines()
    execs = [line for line in lines if line.startswith("Exec=")]
    if len(execs) != 1 or d.notes["first"] not in execs[0]:
        raise Failure("the entry starts %r, not the note %s" % (execs, d.notes["first"]))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--setup", required=True)
    parser.add_argument("--work", default=None)
    args = parser.parse_args()
    for needed in ("Xvfb", "xdotool", "pdftotext", "desktop-file-validate"):
        if not shutil.which(needed):
            print("missing %s (scripts/install-deps.sh installs it)" % needed)
            return 1
    if args.work is None:
        args.work = tempfile.mkdtemp(prefix="tidemark-e2e-")
    os.makedirs(args.work, exist_ok=True)
    display = Display()
    desktop = None
    try:
        desktop = Desktop(args, display)
        run(desktop)
        print("ok   options sheet reaches the other window, print to PDF, shortcut entry")
        return 0
    except (Failure, subprocess.CalledProcessError) as error:
        print("FAIL dialogs: %s" % error)
        if desktop:
            print("     (logs and screen.png in %s)" % desktop.folder)
        return 1
    finally:
        if desktop:
            desktop.close()
        display.close()


if __name__ == "__main__":
    sys.exit(main())
