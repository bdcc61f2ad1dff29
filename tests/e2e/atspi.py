#!/usr/bin/python3
"""Reads the program's window through AT-SPI, as a screen reader does.

  atspi.py find NAME [ROLE]    prints "x y" (screen) of the middle of the first showing
                               control called NAME (and of ROLE, e.g. "push button")
  atspi.py text NAME [ROLE]    prints the text of that control (its text, else its name)
  atspi.py describe NAME [ROLE]  prints that control's description
  atspi.py extents NAME [ROLE] prints "x y width height" (screen) of that control
  atspi.py has TEXT            exit 0 when a showing control's name or text holds TEXT
  atspi.py dialog              the texts of the open dialog or message box, one a line
  atspi.py role ROLE [N]       prints "x y" of the middle of the N-th (from 1) showing
                               control of that role
  atspi.py value ROLE [N]      prints its current value (a spin box's number)
  atspi.py dump                every showing control: role, name, text

Each waits up to $ATSPI_TIMEOUT seconds (default 10) for the control to show, and exits
1 when it does not. The program must run with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 on the
same session bus.
"""
import os
import sys
import time

import pyatspi

APP = os.environ.get("ATSPI_APP", "Έλεγχος συσκευών Arduino")


def showing(acc):
    try:
        return acc.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def text_of(acc):
    try:
        t = acc.queryText()
        return t.getText(0, t.characterCount)
    except Exception:
        return ""


def walk(acc, depth=0):
    if acc is None or depth > 60:
        return
    yield acc
    try:
        children = [acc.getChildAtIndex(i) for i in range(acc.childCount)]
    except Exception:
        return
    for child in children:
        if child is not None and showing(child):
            yield from walk(child, depth + 1)


def apps():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and APP in (app.name or ""):
            yield app


def controls():
    for app in apps():
        yield from walk(app)


def find(name, role=None):
    for acc in controls():
        if (acc.name or "") == name and (role is None or acc.getRoleName() == role) and showing(acc):
            return acc
    return None


def retry(fn):
    deadline = time.time() + float(os.environ.get("ATSPI_TIMEOUT", "10"))
    while True:
        result = fn()
        if result is not None:
            return result
        if time.time() > deadline:
            return None
        time.sleep(0.2)


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    cmd, args = sys.argv[1], sys.argv[2:]
    if cmd == "dump":
        for acc in controls():
            print(f"{acc.getRoleName()}\t{acc.name}\t{text_of(acc)[:80]!r}")
        return 0
    if cmd == "dialog":
        def texts():
            for app in apps():
                for i in range(app.childCount):
                    top = app.getChildAtIndex(i)
                    if top is None or not showing(top) or top.getRoleName() not in ("dialog", "alert"):
                        continue
                    out = [t for a in walk(top) if a.getRoleName() == "label"
                           for t in [text_of(a) or a.name] if t]
                    if out:
                        return out
            return None
        found = retry(texts)
        if found is None:
            return 1
        print("\n".join(found))
        return 0
    if cmd in ("role", "value"):
        n = int(args[1]) if len(args) > 1 else 1
        def nth():
            hits = [a for a in controls() if a.getRoleName() == args[0]]
            return hits[n - 1] if len(hits) >= n else None
        acc = retry(nth)
        if acc is None:
            print(f"no showing control of role {args[0]!r}", file=sys.stderr)
            return 1
        if cmd == "value":
            print(int(acc.queryValue().currentValue))
            return 0
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(e.x + e.width // 2, e.y + e.height // 2)
        return 0
    if cmd == "has":
        hit = retry(lambda: next((a for a in controls() if args[0] in (a.name or "") or args[0] in text_of(a)), None))
        return 0 if hit is not None else 1
    acc = retry(lambda: find(args[0], args[1] if len(args) > 1 else None))
    if acc is None:
        print(f"no showing control called {args[0]!r}", file=sys.stderr)
        return 1
    if cmd == "find":
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(e.x + e.width // 2, e.y + e.height // 2)
        return 0
    if cmd == "text":
        print(text_of(acc) or acc.name)
        return 0
    if cmd == "describe":
        print(acc.description or "")
        return 0
    if cmd == "extents":
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(e.x, e.y, e.width, e.height)
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
