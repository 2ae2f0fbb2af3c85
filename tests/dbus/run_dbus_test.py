#!/usr/bin/env python3
"""Drives the automation server from outside, as another program would.

"tidemark -RegServer" writes the activation file into a private
XDG_DATA_HOME; a private session bus (dbus-run-session) reads it, and the
first call to org.corvane.Tidemark starts the program in resident mode on
the offscreen platform. The client (python3-dbus) builds a note through
/NoteService, saves it, checks the errors of bad calls, and the saved file
is read back with "tidemark-tool dump". "-UnregServer" (twice) removes the
file again.

  run_dbus_test.py --program TIDEMARK --tool TIDEMARK_TOOL --work DIR
"""
import argparse
import json
import os
import shutil
import signal
import subprocess
import sys
import time

BUS = "org.corvane.Tidemark"
IFACE = "org.corvane.Tidemark."
MEMO, MEMOGROUP, CHILD, NEXT = 3, 2, 17, 19
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def error_name(call):
    """The D-Bus error name a call ends with; None when it succeeds."""
    import dbus
    try:
        call()
    except dbus.exceptions.DBusException as error:
        return error.get_dbus_name()
    return None


def client(saved):
    """Runs inside the private bus."""
    import dbus
    bus = dbus.SessionBus()
    check(not bus.name_has_owner(BUS), "the name is owned before any call")

    service = dbus.Interface(bus.get_object(BUS, "/NoteService"), IFACE + "NoteService")
    note_path = service.New()  # activates the program
    check(str(note_path).startswith("/notes/"), f"New gave {note_path}")
    daemon = dbus.Interface(bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus"),
                            "org.freedesktop.DBus")
    server_pid = int(daemon.GetConnectionUnixProcessID(BUS))

    def props(path):
        return dbus.Interface(bus.get_object(BUS, path), "org.freedesktop.DBus.Properties")

    def item(path, kind):
        return dbus.Interface(bus.get_object(BUS, path), IFACE + kind)

    try:
        note = dbus.Interface(bus.get_object(BUS, note_path), IFACE + "Note")
        check(props(note_path).Get(IFACE + "Note", "MEMO") == MEMO, "MEMO constant")
        check(props("/NoteService").Get(IFACE + "NoteService", "Version") == 1005, "Version")

        root_path = note.GetRootItem()
        root = item(root_path, "ItemNode")
        group_path = root.NewItem(MEMOGROUP, CHILD)
        props(group_path).Set(IFACE + "ItemNode", "Title", "旅行の計画")
        memo_path = item(group_path, "ItemNode").NewItem(MEMO, CHILD)
        memo = props(memo_path)
        memo.Set(IFACE + "ItemText", "Title", "持ち物")
        memo.Set(IFACE + "ItemText", "Body", "傘\n地図")
        memo.Set(IFACE + "ItemText", "StrikeOut", dbus.Boolean(True))
        check(memo.Get(IFACE + "ItemText", "Body") == "傘\n地図", "the body reads back with LF")
        check(memo.Get(IFACE + "ItemText", "Type") == MEMO, "a memo's Type")
        check(note.GetItemCount() == 2, "two items besides the root")
        check(bool(item(memo_path, "ItemText").IsParent(group_path)), "IsParent of its group")
        check(item(root_path, "ItemNode").GetChildItem(0) == group_path,
              "GetChildItem(0) gives the same path")
        check(item(memo_path, "ItemText").GetItem(NEXT) == "/", "no next item is '/'")

        # 259 bytes are taken, 260 raise 20051 (a double-byte character counts 2).
        check(error_name(lambda: memo.Set(IFACE + "ItemText", "Title", "あ" * 129 + "a")) is None,
              "a 259-byte title is taken")
        check(error_name(lambda: memo.Set(IFACE + "ItemText", "Title", "あ" * 130)) ==
              "org.corvane.Tidemark.Error.E20051", "a 260-byte title raises E20051")
        try:
            memo.Set(IFACE + "ItemText", "Title", "x" * 260)
        except dbus.exceptions.DBusException as error:
            check("20051" not in error.get_dbus_message() and error.get_dbus_message() != "",
                  "the error carries the message text")
        memo.Set(IFACE + "ItemText", "Title", "持ち物")

        # A group moved below its own subgroup.
        sub_path = item(group_path, "ItemNode").NewItem(MEMOGROUP, CHILD)
        check(error_name(lambda: item(group_path, "ItemNode").MoveTo(sub_path, CHILD)) ==
              "org.corvane.Tidemark.Error.E20062", "MoveTo below itself raises E20062")
        item(sub_path, "ItemNode").DeleteItem()
        check(bool(item(sub_path, "ItemNode").IsDeleted()), "a deleted group answers IsDeleted")
        check(error_name(lambda: props(sub_path).Get(IFACE + "ItemNode", "Title")) ==
              "org.corvane.Tidemark.Error.E20059", "a deleted group raises E20059")

        # Bad calls are errors, and the server goes on.
        check(error_name(lambda: memo.Set(IFACE + "ItemText", "Title", dbus.Int32(5))) ==
              "org.freedesktop.DBus.Error.InvalidArgs", "a number for a title")
        check(error_name(lambda: item(group_path, "ItemNode").NewItem("3", CHILD, signature="si")) ==
              "org.freedesktop.DBus.Error.InvalidArgs", "a text for a type")
        check(error_name(lambda: item(group_path, "ItemNode").Frobnicate()) ==
              "org.freedesktop.DBus.Error.UnknownMethod", "an unknown method")
        check(error_name(lambda: memo.Set(IFACE + "ItemText", "Id", dbus.Int32(5))) ==
              "org.freedesktop.DBus.Error.PropertyReadOnly", "writing Id")
        check(error_name(lambda: item(root_path + "9", "ItemNode").IsDeleted()) ==
              "org.freedesktop.DBus.Error.UnknownObject", "a path of no item")
        other_path = service.New()
        other_root = dbus.Interface(bus.get_object(BUS, other_path), IFACE + "Note").GetRootItem()
        check(error_name(lambda: item(memo_path, "ItemText").MoveTo(other_root, CHILD)) ==
              "org.corvane.Tidemark.Error.E20060", "an item of another note")
        check(error_name(lambda: item(memo_path, "ItemText").MoveTo("/", NEXT)) ==
              "org.corvane.Tidemark.Error.E20060", "'/' as the item")
        dbus.Interface(bus.get_object(BUS, other_path), IFACE + "Note").Release()
        check(error_name(lambda: dbus.Interface(bus.get_object(BUS, other_path),
                                                IFACE + "Note").GetItemCount()) ==
              "org.freedesktop.DBus.Error.UnknownObject", "a released note is gone")

        # Another client sees none of this client's objects, and what it
        # makes goes when it leaves.
        second = dbus.bus.BusConnection(os.environ["DBUS_SESSION_BUS_ADDRESS"])
        check(error_name(lambda: dbus.Interface(second.get_object(BUS, note_path),
                                                IFACE + "Note").GetItemCount()) ==
              "org.freedesktop.DBus.Error.UnknownObject", "another client's note")
        dbus.Interface(second.get_object(BUS, "/NoteService"), IFACE + "NoteService").New()
        second.close()

        xml = dbus.Interface(bus.get_object(BUS, memo_path),
                             "org.freedesktop.DBus.Introspectable").Introspect()
        check('interface name="org.corvane.Tidemark.ItemText"' in xml and 'name="Body"' in xml,
              "a memo introspects as ItemText")

        note.SaveAs(saved)
        check(props(note_path).Get(IFACE + "Note", "FileName") == saved, "FileName after SaveAs")
        check(error_name(lambda: note.SaveAs(os.path.join(saved, "no", "such.tmk"))) is not None,
              "SaveAs into a missing folder raises")
        note.Release()
    finally:
        os.kill(server_pid, signal.SIGTERM)
    return 0 if not failures else 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--tool", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--client", help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.client:
        return client(args.client)

    shutil.rmtree(args.work, ignore_errors=True)
    home = os.path.join(args.work, "home")
    runtime = os.path.join(args.work, "runtime")
    os.makedirs(home)
    os.makedirs(runtime, mode=0o700)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(home, "data"), XDG_RUNTIME_DIR=runtime,
               XDG_DATA_DIRS=os.path.join(args.work, "none"), QT_QPA_PLATFORM="offscreen",
               LC_ALL="C.UTF-8")
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)
    service_file = os.path.join(home, "data", "dbus-1", "services", BUS + ".service")
    program = os.path.realpath(args.program)

    subprocess.run([args.program, "-RegServer"], env=env, check=True, timeout=30)
    with open(service_file, encoding="utf-8") as file:
        text = file.read()
    check(f"Exec={program} -Embedding\n" in text and f"Name={BUS}\n" in text,
          f"the activation file names the program: {text!r}")

    saved = os.path.join(args.work, "saved.tmk")
    run = subprocess.run(["dbus-run-session", "--", sys.executable, __file__,
                          "--program", args.program, "--tool", args.tool, "--work", args.work,
                          "--client", saved], env=env, timeout=120)
    check(run.returncode == 0, "the client's checks")

    if os.path.exists(saved):
        dump = json.loads(subprocess.run([args.tool, "dump", saved], capture_output=True,
                                         check=True, text=True).stdout)
        text = json.dumps(dump, ensure_ascii=False)
        for expected in ("旅行の計画", "持ち物", "傘\\r\\n地図"):
            check(expected in text, f"the saved note holds {expected}: {text[:400]}")
    else:
        check(False, "SaveAs wrote no file")

    for _ in range(2):
        code = subprocess.run([args.program, "-UnregServer"], env=env, timeout=30).returncode
        check(code == 0 and not os.path.exists(service_file), "UnregServer removes the file")
    print("dbus test:", "passed" if not failures else f"{len(failures)} check(s) failed")
    return 0 if not failures else 1


if __name__ == "__main__":
    sys.exit(main())
