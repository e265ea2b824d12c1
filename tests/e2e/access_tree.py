#!/usr/bin/env python3
"""The clock as a screen reader finds it over AT-SPI: walks the tree of the running program,
checks what a user of a screen reader depends on, prints the tree as it is read out, and sets
the countdown mark through the value interface.

   access_tree.py tree      the main window: roles, names, the mark, the time
   access_tree.py alert     the ring window, once it is up
   access_tree.py press B   presses the button named B of the main window
"""
import sys
import time

import pyatspi

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED:", what)


def velto(timeout=10.0):
    """The clock's application on the accessibility bus."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "Velto":
                return app
        time.sleep(0.2)
    sys.exit("FAILED: no application named Velto on the accessibility bus")


def window(app, role, name, timeout=10.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        for w in app:
            if w is not None and w.getRole() == role and w.name == name:
                return w
        time.sleep(0.2)
    seen = [(w.getRoleName(), w.name) for w in app if w is not None]
    sys.exit(f"FAILED: no {pyatspi.Role(role)} named {name!r}; the windows: {seen}")


def walk(node, depth=0, into=None):
    into = [] if into is None else into
    for child in node:
        if child is None:
            continue
        into.append((depth, child))
        walk(child, depth + 1, into)
    return into


def show(node):
    """One line of the tree as a screen reader reads it."""
    states = node.getState()
    extras = []
    if node.description:
        extras.append(f"“{node.description}”")
    if states.contains(pyatspi.STATE_FOCUSABLE):
        extras.append("focusable")
    if not states.contains(pyatspi.STATE_VISIBLE):
        extras.append("passed over")
    return f"{node.getRoleName()} “{node.name}” " + " ".join(extras)


def by_name(nodes, name):
    found = [n for _, n in nodes if n.name == name]
    check(len(found) == 1, f"one element named {name!r}, found {len(found)}")
    return found[0] if found else None


def main_window(app):
    frame = window(app, pyatspi.ROLE_FRAME, "Velto")
    nodes = walk(frame)
    print(show(frame))
    for depth, node in nodes:
        print("  " * (depth + 1) + show(node))

    names = [n.name for _, n in nodes]
    check(all(names), "every element has a name")
    doubles = sorted({n for n in names if names.count(n) > 1})
    check(not doubles, f"every name once; twice: {doubles}")
    check(not any(n.getRole() == pyatspi.ROLE_FILLER for _, n in nodes), "no filler")

    dial = by_name(nodes, "Alarm in 5 minutes, dial")
    preset = by_name(nodes, "Alarm in 5 minutes, preset")
    check(dial is not None and preset is not None, "the hot spot and the preset told apart")
    for place in ("hours tens", "hours units", "colon", "minutes tens", "minutes units"):
        by_name(nodes, "Alarm time, " + place if place != "hours tens" else "Alarm time")

    # The time is reached by Tab and says the time (the clock stands at 10:20).
    clock = by_name(nodes, "Time")
    if clock is not None:
        check(clock.getState().contains(pyatspi.STATE_FOCUSABLE), "Tab reaches the time")
        check(clock.description.startswith("10:20"), f"the time reads {clock.description!r}")

    # The countdown mark: a slider of minutes, set as a drag sets it.
    mark = by_name(nodes, "Countdown mark")
    if mark is None:
        return
    check(mark.getRole() == pyatspi.ROLE_SLIDER, "the mark is a slider")
    value = mark.queryValue()
    print(f"mark: {value.minimumValue:g}..{value.maximumValue:g}, now {value.currentValue:g}")
    check((value.minimumValue, value.maximumValue) == (0, 60), "the mark goes from 0 to 60")
    check(value.currentValue == 0, "the mark stands at 0 while the alarm is off")
    value.currentValue = 15
    switch = by_name(nodes, "Alarm switch")
    end = time.monotonic() + 5
    while time.monotonic() < end and not mark.description.startswith("15 minutes"):
        time.sleep(0.1)
    print(f"mark set to 15: “{mark.description}”; alarm time “{by_name(nodes, 'Alarm time').description}”")
    check(value.currentValue == 15, "the mark stands where it was set")
    check(mark.description.startswith("15 minutes"), "the mark says 15 minutes")
    check(switch is not None and switch.description.startswith("on"), "the alarm is on")
    check(by_name(nodes, "Alarm time").description.startswith("10:35"), "the alarm is at 10:35")
    value.currentValue = 0  # back to no countdown: the alarm goes off
    end = time.monotonic() + 5
    while time.monotonic() < end and not switch.description.startswith("off"):
        time.sleep(0.1)
    check(switch.description.startswith("off"), "the mark at 0 switches the alarm off")


def alert(app):
    ring = window(app, pyatspi.ROLE_ALERT, "Alarm")
    print(show(ring))
    for depth, node in walk(ring):
        print("  " * (depth + 1) + show(node))
    names = [n.name for _, n in walk(ring)]
    check(all(names), "every element of the ring window has a name")
    check("Rang at" in names and "Stop" in names and "Snooze" in names,
          "the ring window says when it rang and offers Stop and Snooze")


def press(app):
    frame = window(app, pyatspi.ROLE_FRAME, "Velto")
    button = by_name(walk(frame), sys.argv[2])
    if button is not None:
        button.queryAction().doAction(0)


if __name__ == "__main__":
    app = velto()
    {"tree": main_window, "alert": alert, "press": press}[sys.argv[1]](app)
    sys.exit(1 if failures else 0)
