#!/usr/bin/env python3
"""Scripts under Xvfb with real X input (xdotool), as a user meets them.

The program starts on a note of two memos. Through the tool menu's
"スクリプトの登録" the user registers a script file at tool-menu place 1
(keys only: the list dialog's Add, the entry dialog's name, file and
attribute boxes, OK twice); F1 then runs it, and its question is answered by
typing. F12 runs a second script picked in the file dialog by typing its
path. The note is saved, the program ends, and the saved note must hold the
memos the two scripts made.
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run_e2e import program_env, xdotool, WAIT, Display, Failure, poll  # noqa: E402

REGISTERED = """var note = TMScript.GetNote();
var answer = TMScript.Input("題名を入力してください", "");
var memo = note.GetRootItem().NewItem(note.MEMO, note.CHILD);
memo.Title = "F1: " + answer;
memo.Body = TMScript.ScriptName;
"""

PICKED = """var note = TMScript.GetNote();
note.GetRootItem().NewItem(note.MEMO, note.CHILD).Title = "F12";
"""


class Session:
    def __init__(self, args, display):
        self.args = args
        self.folder = os.path.join(args.work, "scripts")
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(os.path.join(self.folder, "config"))
        self.note = os.path.join(self.folder, "e2e.tmk")
        self.registered = os.path.join(self.folder, "stamp.js")
        self.picked = os.path.join(self.folder, "picked.js")
        for path, text in ((self.registered, REGISTERED), (self.picked, PICKED)):
            with open(path, "w", encoding="utf-8") as script:
                script.write(text)
        self.env = program_env(self.folder, display)
        subprocess.run([args.setup, self.note, "A", "B"], env=self.env, check=True)
        self.log = open(os.path.join(self.folder, "program.log"), "wb")
        self.process = subprocess.Popen([args.program, self.note], env=self.env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        self.window = poll("the main window", lambda: self.titled("e2e"))
        self.focus(self.window)

    def xdo(self, *words):
        return xdotool(self.env, *words)

    def titled(self, part, exact=False):
        if self.process.poll() is not None:
            raise Failure("the program ended (%d)" % self.process.returncode)
        for window in self.xdo("search", "--onlyvisible", "--pid", self.process.pid).split():
            name = self.xdo("getwindowname", window).strip()
            if name == part if exact else part in name:
                return window
        return None

    def focus(self, window):
        self.xdo("windowfocus", "--sync", window)

    def dialog(self, title, exact=False):
        window = poll("the window " + title, lambda: self.titled(title, exact))
        self.focus(window)
        return window

    def gone(self, title):
        poll("the window %s to close" % title, lambda: self.titled(title) is None)

    def key(self, *keys):
        self.xdo("key", "--clearmodifiers", *keys)

    def type(self, text):
        self.xdo("type", "--delay", "20", text)

    def finish(self):
        self.focus(self.window)
        self.key("ctrl+s")
        self.key("alt+f")
        poll("the File menu", lambda: len(self.xdo("search", "--onlyvisible", "--pid",
                                                   self.process.pid).split()) > 1)
        self.key("x")
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
        # What the screen showed, for the one who reads the failure.
        subprocess.run(["import", "-window", "root", os.path.join(self.folder, "failure.png")],
                       env=self.env, capture_output=True)
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()


def run(session):
    s = session
    # The tool menu, then "スクリプトの登録(&E)...".
    s.key("alt+o")
    poll("the tool menu", lambda: len(s.xdo("search", "--onlyvisible", "--pid",
                                            s.process.pid).split()) > 1)
    s.key("e")
    s.dialog("スクリプトの登録")
    s.key("alt+a")
    s.dialog("スクリプトの設定")
    s.key("alt+n")
    s.type("Stamp")
    s.key("alt+f")
    s.type(s.registered)
    # 指定しない, テンプレート, メニュー 1.
    s.key("alt+t")
    s.key("Down", "Down")
    s.key("Return")
    s.gone("スクリプトの設定")
    s.dialog("スクリプトの登録")
    s.key("Return")
    s.gone("スクリプトの登録")

    # F1 runs the script at place 1; its question is answered by typing.
    s.focus(s.window)
    s.key("F1")
    # The script's question, titled with the program's name alone.
    s.dialog("Tidemark", exact=True)
    s.type("typed")
    s.key("Return")
    poll("the script to end", lambda: s.titled("ツールの実行中") is None and
         s.titled("Tidemark", exact=True) is None)

    # F12 asks for any script file.
    s.focus(s.window)
    s.key("F12")
    poll("the file dialog", lambda: len(s.xdo("search", "--onlyvisible", "--pid",
                                              s.process.pid).split()) > 1)
    s.key("ctrl+a")
    s.type(s.picked)
    s.key("Return")
    poll("the file dialog to close", lambda: len(s.xdo("search", "--onlyvisible", "--pid",
                                                       s.process.pid).split()) == 1)

    note = s.finish()
    memos = note["root"].get("children", [])
    return ([(m["title"], m.get("body", "")) for m in memos],
            [("A", "body A"), ("B", "body B"), ("F1: typed", "Stamp"), ("F12", "")])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--tool", required=True)
    parser.add_argument("--setup", required=True)
    parser.add_argument("--work", default=None)
    args = parser.parse_args()
    for needed in ("Xvfb", "xdotool"):
        if not shutil.which(needed):
            print("missing %s (scripts/install-deps.sh installs it)" % needed)
            return 1
    if args.work is None:
        args.work = tempfile.mkdtemp(prefix="tidemark-e2e-")
    os.makedirs(args.work, exist_ok=True)
    display = Display()
    session = None
    try:
        session = Session(args, display)
        got, expected = run(session)
        if got != expected:
            raise Failure("got %r, expected %r" % (got, expected))
        print("ok   registered script on F1, script file on F12")
        return 0
    except (Failure, subprocess.CalledProcessError) as error:
        print("FAIL scripts: %s" % error)
        if session:
            session.abandon()
            print("     (log: %s, screen: %s)" % (os.path.join(session.folder, "program.log"),
                                                os.path.join(session.folder, "failure.png")))
        return 1
    finally:
        display.close()


if __name__ == "__main__":
    sys.exit(main())
