#!/usr/bin/env python3
"""Reads the case table and the results table of the running program through AT-SPI, the way a
screen reader does: types two rubric numbers, reads the first row back from the table's cells,
moves the cursor and waits for the focus event, calculates, and reads the first remedy's header
and sum."""
import atexit
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

RUBRIC = "12"
RUBRIC_TEXT = "Anger, evening, in bed, with nausea [1]"
SECOND_RUBRIC = "4000"


def fail(message):
    print("atspi: " + message)
    sys.exit(1)


def pump(seconds):
    """Delivers the events that arrive within the given time."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not context.iteration(False):
            time.sleep(0.02)


def wait_for(find, seconds, what):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found is not None:
            return found
        pump(0.2)
    fail("no " + what + " within %d seconds" % seconds)


def descendants(node, depth=0):
    """Every object below node; a table's cells are read through its table interface instead."""
    if node is None or depth > 30:
        return
    yield node
    if node.getRole() == pyatspi.ROLE_TABLE:
        return
    for index in range(node.childCount):
        yield from descendants(node.getChildAtIndex(index), depth + 1)


def window_named(prefix):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None and window.name.startswith(prefix) and window.getState().contains(
                pyatspi.STATE_SHOWING
            ):
                return window
    return None


def table_in(window):
    for node in descendants(window):
        if node.getRole() == pyatspi.ROLE_TABLE:
            return node
    return None


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "80", *names], check=True)
    pump(0.8)


focus_events = []


def on_focus(event):
    if event.detail1 == 1:
        focus_events.append((event.source.getRoleName(), event.source.name))


listener = Atspi.EventListener.new(on_focus)
listener.register("object:state-changed:focused")

# The program starts only now: its accessibility bridge asks as it starts which events anyone
# listens to, and on a loaded machine a listener registered just after that was not served.
with open(os.environ["LOG"], "w") as log:
    program = subprocess.Popen([os.environ["PROGRAM"]], cwd=os.environ["WORKDIR"], stdout=log, stderr=log)
atexit.register(program.terminate)

case_window = wait_for(lambda: window_named("Kesto - Telvarin"), 60, "case input window")
case_table = wait_for(lambda: table_in(case_window), 10, "case table")
pump(1)

for typed in (RUBRIC, SECOND_RUBRIC):
    subprocess.run(["xdotool", "type", "--delay", "80", typed], check=True)
    keys("Return")
cells = case_table.queryTable()
if cells.nRows != 3 or cells.nColumns != 4:
    fail("the case table has %d rows and %d columns" % (cells.nRows, cells.nColumns))
headers = [cells.getColumnHeader(c).name for c in range(4)]
if headers[:2] != ["Nummer", "Symptom"] or headers[3] != "Gewicht":
    fail("the case table's headers read %s" % headers)
number = cells.getAccessibleAt(0, 0).name
symptom = cells.getAccessibleAt(0, 1)
if number != RUBRIC or symptom.name != RUBRIC_TEXT:
    fail("the typed rubric reads back as %r, %r" % (number, symptom.name))
if not symptom.description:
    fail("the symptom cell has no description (its tip)")


def focus_event_on_second_rubric():
    return True if ("table cell", SECOND_RUBRIC) in focus_events else None


# Should the focus event of this move still be missed, the cursor moves away and back, up to
# twice, before the test gives up.
focus_events.clear()
keys("Up")
for _ in range(2):
    end = time.monotonic() + 5
    while time.monotonic() < end and not focus_event_on_second_rubric():
        pump(0.2)
    if focus_event_on_second_rubric():
        break
    keys("Down")
    focus_events.clear()
    keys("Up")
wait_for(focus_event_on_second_rubric, 5, "focus event on the rubric's cell")

keys("alt+b")
results_window = wait_for(lambda: window_named("Ergebnis"), 30, "results window")
results_table = wait_for(lambda: table_in(results_window), 10, "results table")
results = results_table.queryTable()
if results.nColumns < 1 or results.nRows != 2:
    fail("the results table has %d rows and %d columns" % (results.nRows, results.nColumns))
remedy = results.getColumnHeader(0).name
heading, hits, grade_sum = results.getColumnDescription(0).split()
grades = [results.getAccessibleAt(r, 0).name for r in range(results.nRows)]
if not remedy or heading != remedy:
    fail("the first remedy column is headed %r, described as %r" % (remedy, heading))
if int(grade_sum) != sum(int(g) for g in grades if g) or int(hits) != sum(1 for g in grades if g):
    fail("the first remedy %s shows the sum %s and hits %s over the grades %s" % (remedy, grade_sum, hits, grades))
print("atspi: case table row %s %r; results: %s, sum %s" % (number, symptom.name, remedy, grade_sum))
keys("alt+z")
