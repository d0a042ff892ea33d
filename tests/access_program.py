#!/usr/bin/python3
"""What a screen reader reads of the real program, over the AT-SPI bus.

Run by access_program.sh with the program already started. Checks the status
bar's role and panels and the board's name and description, plays three moves
by clicking at the board's place as the bus reports it, and checks that both
were updated and that the board announced its new description.
"""
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

TITLE = "Вилтрон"
CELL = 25


def fail(message):
    print(f"access_program: FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def pump(seconds=0.05):
    """Lets the bus deliver what is pending for a while."""
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


def children(node):
    return [node.get_child_at_index(i) for i in range(node.get_child_count())]


def find(node, test):
    """The first node below node (itself included) that passes test."""
    if node is None or test(node):
        return node
    return next((f for f in (find(c, test) for c in children(node) if c) if f), None)


def main_frame():
    return find(Atspi.get_desktop(0),
                lambda n: n.get_role() == Atspi.Role.FRAME and n.get_name() == TITLE)


def wait_for(what, read, expected, seconds=10):
    end = time.monotonic() + seconds
    value = read()
    while value != expected and time.monotonic() < end:
        pump(0.1)
        value = read()
    if value != expected:
        fail(f"{what}: {value!r}, expected {expected!r}")
    print(f"access_program: {what}: {value!r}")


def main():
    Atspi.set_timeout(2000, 5000)
    heard = []

    def on_description(event):
        heard.append(event.source.get_name())

    listener = Atspi.EventListener.new(on_description)
    listener.register("object:property-change:accessible-description")

    end = time.monotonic() + 20
    while (frame := main_frame()) is None and time.monotonic() < end:
        pump(0.2)
    if frame is None:
        fail(f"no frame named {TITLE!r} on the accessibility bus")

    bar = find(frame, lambda n: n.get_role() == Atspi.Role.STATUS_BAR)
    if bar is None:
        fail("the main window has no status bar on the bus (a plain panel reads as a filler)")
    board = find(frame, lambda n: n.get_name() == "Доска")
    if board is None:
        fail("no object named 'Доска' on the bus")

    def panels():
        return [(p.get_role_name(), p.get_name()) for p in children(bar)]

    def described():
        board.clear_cache()
        return board.get_description()

    def label_texts():
        bar.clear_cache()
        return [name for role, name in panels()]

    wait_for("status bar at start", label_texts, ["Число:", "", "Осталось:", "", ""])
    if any(role != "label" for role, _ in panels()):
        fail(f"status bar panels are not labels: {panels()}")
    wait_for("board at start", described, "Доска 8 × 8, ходов нет")

    extents = board.get_extents(Atspi.CoordType.SCREEN)
    if (extents.width, extents.height) != (8 * CELL, 8 * CELL):
        fail(f"board is {extents.width} x {extents.height} on the bus, expected 200 x 200")
    for column, row in [(0, 0), (2, 1), (4, 2)]:
        x = extents.x + column * CELL + CELL // 2
        y = extents.y + row * CELL + CELL // 2
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)
        pump(0.2)

    expected = "Доска 8 × 8, ход 3, конь: столбец 5, строка 3"
    wait_for("status bar after three moves", label_texts, ["Число:", "3", "Осталось:", "61", ""])
    wait_for("board after three moves", described, expected)
    # One announcement per move, none for the repaints in between.
    end = time.monotonic() + 5
    while len(heard) < 3 and time.monotonic() < end:
        pump(0.1)
    pump(0.5)
    if heard != ["Доска"] * 3:
        fail(f"description changes announced by {heard!r}, expected the board's three moves")
    print(f"access_program: description changes announced: {len(heard)}")
    listener.deregister("object:property-change:accessible-description")


main()
