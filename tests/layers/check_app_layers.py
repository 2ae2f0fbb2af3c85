#!/usr/bin/env python3
"""Keeps the shape of src/app: a shell (frame/) composing features.

A feature folder (every folder of src/app but frame/, common/ and context/)
includes only its own headers, the shared helpers of common/ and the window
context of context/: never the shell's headers (frame/application.h,
frame/main_window.h or any other) and never a sibling feature's. common/ and
context/ include only each other. Tests and test helpers may compose whole
windows and are left out. Prints every offending include; exit 1 when any.
"""
import pathlib
import re
import sys

SHARED = {"common", "context"}
SHELL = "frame"
INCLUDE = re.compile(r'^\s*#\s*include\s+"app/([^/"]+)/([^"]+)"', re.M)


def is_test(path: pathlib.Path) -> bool:
    name = path.name
    return (name.endswith("_test.cpp") or "_for_test" in name or
            name.startswith("test_support") or name == "app_test_main.cpp")


def offences(app: pathlib.Path):
    for path in sorted(app.rglob("*")):
        if path.suffix not in {".h", ".cpp", ".inc"} or is_test(path):
            continue
        parts = path.relative_to(app).parts
        if len(parts) < 2 or parts[0] == SHELL:
            continue  # the shell and main.cpp may include anything
        folder = parts[0]
        text = path.read_text(encoding="utf-8")
        for match in INCLUDE.finditer(text):
            target = match.group(1)
            if target == folder:
                continue
            if target in SHARED:
                continue
            line = text.count("\n", 0, match.start()) + 1
            kind = "the shell" if target == SHELL else (
                "a feature" if folder in SHARED else "a sibling feature")
            yield f"{path.relative_to(app.parent.parent)}:{line}: includes {kind}: app/{target}/{match.group(2)}"


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else
                        pathlib.Path(__file__).resolve().parents[2])
    found = list(offences(root / "src" / "app"))
    for line in found:
        print(line)
    if found:
        print(f"{len(found)} include(s) break the shape of src/app", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
