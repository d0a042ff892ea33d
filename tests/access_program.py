#!/usr/bin/python3
"""What a screen reader reads of the real program, over the AT-SPI bus.

Run by access_program.sh with the program already started. Checks the status
bar's role and panels and the board's name and description, plays three moves
by clicking at the board's place as the bus reports it, and checks that both
were updated and that the board announced its new description. Then reads the
board as a table of named cells, follows the focused cell along the arrow
keys, and wins a 5 x 5 game with keys alone, reading every cell after every
move.
"""
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

TITLE = "Вилтрон"
CELL = 25
# The knight's jumps in the order the board offers them.
JUMPS = [(2, 1), (2, -1), (-2, 1), (-2, -1), (1, 2), (1, -2), (-1, 2), (-1, -2)]


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


def listen(event_name, wanted=lambda event: True):
    """The names of the sources of the wanted events heard from now on, and
    the listener, to deregister."""
    heard = []

    def on_event(event):
        if wanted(event):
            heard.append(event.source.get_name())

    listener = Atspi.EventListener.new(on_event)
    listener.register(event_name)
    return heard, listener


def gained_focus(event):
    return event.detail1 == 1


def is_cell(event):
    return event.source.get_role() == Atspi.Role.TABLE_CELL

def main():
    Atspi.set_timeout(2000, 5000)
    heard, listener = listen("object:property-change:accessible-description")

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

    game = Game(8)
    for cell in [(0, 0), (2, 1), (4, 2)]:
        game.play(cell)
    read_table(board, game, [(0, 0), (4, 2), (6, 3), (0, 7)])
    follow_arrows(board, game)
    hint_says_only_its_move(board, game)
    win_by_keys(frame, board)


class Game:
    """The game as played, so as to know what each cell must be called."""

    # What a cell's name is made of, in Russian unless told otherwise.
    RUSSIAN = {"place": "столбец {}, строка {}", "move": "ход", "knight": "конь",
               "free": "свободна", "choice": "можно пойти"}

    def __init__(self, size, words=RUSSIAN):
        self.size = size
        self.words = words
        self.numbers = {}
        self.knight = None
        self.running = True

    def play(self, cell):
        self.numbers[cell] = len(self.numbers) + 1
        self.knight = cell

    def choices(self):
        if not self.running or self.knight is None:
            return []
        x, y = self.knight
        cells = [(x + dx, y + dy) for dx, dy in JUMPS]
        return [c for c in cells if self.on_board(c) and c not in self.numbers]

    def on_board(self, cell):
        return 0 <= cell[0] < self.size and 0 <= cell[1] < self.size

    def name(self, cell):
        words = self.words
        name = words["place"].format(cell[0] + 1, cell[1] + 1)
        number = self.numbers.get(cell)
        if number:
            name += f", {words['move']} {number}"
            if cell == self.knight:
                name += f", {words['knight']}"
        else:
            name += f", {words['free']}"
            if cell in self.choices():
                name += f", {words['choice']}"
        return name


def key(*names):
    for name in names:
        subprocess.run(["xdotool", "key", name], check=True)
        pump(0.05)


def cell_at(board, cell):
    found = board.get_table_iface().get_accessible_at(cell[1], cell[0])
    found.clear_cache()
    return found


def read_table(board, game, cells):
    """The table's size and the names and roles of the cells."""
    table = board.get_table_iface()

    def shape():
        board.clear_cache()
        return (table.get_n_rows(), table.get_n_columns())

    wait_for(f"table of the {game.size} x {game.size} board", shape, (game.size, game.size))
    if board.get_role() != Atspi.Role.TABLE:
        fail(f"the board's role is {board.get_role_name()!r}, expected a table")
    for cell in cells:
        found = cell_at(board, cell)
        if found.get_role() != Atspi.Role.TABLE_CELL:
            fail(f"cell {cell} has the role {found.get_role_name()!r}")
        if found.get_name() != game.name(cell):
            fail(f"cell {cell} is called {found.get_name()!r}, expected {game.name(cell)!r}")
    print(f"access_program: {len(cells)} cells named as the game stands")


def focused_cells(board, size):
    return [(x, y) for x in range(size) for y in range(size)
            if cell_at(board, (x, y)).get_state_set().contains(Atspi.StateType.FOCUSED)]


def follow_arrows(board, game):
    """The focused cell follows the keyboard cursor, announced as it moves."""
    heard, listener = listen("object:state-changed:focused", gained_focus)
    pump(0.3)
    # The mouse gave the board the focus; the cursor starts on the knight.
    cursor = game.knight
    for arrow, step in [("Left", (-1, 0)), ("Down", (0, 1)), ("Down", (0, 1))]:
        cursor = (cursor[0] + step[0], cursor[1] + step[1])
        key(arrow)
        wait_for(f"focus after {arrow}", lambda: heard[-1] if heard else None, game.name(cursor))
        focused = focused_cells(board, game.size)
        if focused != [cursor]:
            fail(f"focused cells {focused}, expected only {cursor}")
    listener.deregister("object:state-changed:focused")


def hint_says_only_its_move(board, game):
    """A hint's search walks over the board unseen: readers hear only the
    cells its one move renamed."""
    every = [(x, y) for x in range(game.size) for y in range(game.size)]
    before = {c: cell_at(board, c).get_name() for c in every}
    renamed, listener = listen("object:property-change:accessible-name", is_cell)
    pump(0.3)
    key("ctrl+z")

    def described():
        board.clear_cache()
        return board.get_description()

    end = time.monotonic() + 20
    while "ход 4," not in described() and time.monotonic() < end:
        pump(0.1)
    words = described().replace(",", "").split()
    if "ход" not in words or words[words.index("ход") + 1] != "4":
        fail(f"the hint made no move: {described()!r}")
    game.play((int(words[-3]) - 1, int(words[-1]) - 1))
    changed = sorted(game.name(c) for c in every if game.name(c) != before[c])
    wait_for("renamed cells after the hint", lambda: sorted(renamed), changed)
    pump(0.5)
    if sorted(renamed) != changed:
        fail(f"more cells renamed after the hint: {sorted(renamed)}")
    listener.deregister("object:property-change:accessible-name")


def tour(size):
    """A knight's tour from the top-left corner, fewest onward jumps first."""
    path = [(0, 0)]

    def onward(cell):
        return [c for c in ((cell[0] + dx, cell[1] + dy) for dx, dy in JUMPS)
                if 0 <= c[0] < size and 0 <= c[1] < size and c not in path]

    def extend():
        if len(path) == size * size:
            return True
        for c in sorted(onward(path[-1]), key=lambda c: len(onward(c))):
            path.append(c)
            if extend():
                return True
            path.pop()
        return False

    extend()
    return path


def win_by_keys(frame, board):
    """Gives up the game, sets the size 5 and wins a game there with keys only."""
    key("ctrl+F2")
    alert = None
    end = time.monotonic() + 10
    while alert is None and time.monotonic() < end:
        pump(0.1)
        alert = find(Atspi.get_desktop(0), lambda n: n.get_role() == Atspi.Role.ALERT)
    if alert is None:
        fail("no question when giving up")
    key("Return")
    # The selector comes just before the board in the tab order.
    key("shift+Tab", "Down", "Down")
    game = Game(5)
    read_table(board, game, [(0, 0), (4, 4)])
    focus, focus_listener = listen("object:state-changed:focused", gained_focus)
    pump(0.3)
    key("Tab")
    # Entering the board, a reader lands on the cursor's cell, not just the table.
    pump(0.5)
    wait_for("focus after Tab", lambda: focus[-1] if focus else None, game.name((0, 0)))
    focus_listener.deregister("object:state-changed:focused")
    renamed, listener = listen("object:property-change:accessible-name", is_cell)
    pump(0.3)
    every = [(x, y) for x in range(5) for y in range(5)]
    path = tour(5)
    for number, cell in enumerate(path, start=1):
        before = {c: game.name(c) for c in every}
        if number == 1:
            key(*["Right"] * cell[0], *["Down"] * cell[1])
        else:
            # Page Down steps through the knight's choices, starting at the first.
            key(*["Next"] * (game.choices().index(cell) + 1))
        key("Return")
        game.play(cell)
        if number == len(path):
            game.running = False
            break
        wait_for(f"knight's cell after move {number}", lambda: cell_at(board, cell).get_name(),
                 game.name(cell))
        # From the second move on, readers know every cell: each one whose
        # name changed says so, and no other.
        if number > 1:
            changed = sorted(game.name(c) for c in every if game.name(c) != before[c])
            wait_for(f"renamed cells after move {number}", lambda: sorted(renamed), changed)
        renamed.clear()
        names = {c: cell_at(board, c).get_name() for c in every}
        wrong = {c: n for c, n in names.items() if n != game.name(c)}
        if wrong:
            fail(f"after move {number}: {wrong}")
        focused = focused_cells(board, 5)
        if focused != [cell]:
            fail(f"after move {number} the focused cells are {focused}, expected the knight's")
    listener.deregister("object:property-change:accessible-name")
    print(f"access_program: {len(path)} moves by keys, every cell named as the game stood")

    def victory():
        box = find(Atspi.get_desktop(0), lambda n: n.get_role() == Atspi.Role.ALERT)
        label = box and find(box, lambda n: n.get_role() == Atspi.Role.LABEL
                             and n.get_name() == "Победа!")
        return label.get_name() if label else None

    wait_for("the end of the game", victory, "Победа!")
    key("Return")
    # Back on the board: the arrows move the focused cell again.
    wait_for("focus back on the board", lambda: focused_cells(board, 5), [path[-1]])
    x, y = path[-1]
    key("Down" if y < 4 else "Up")
    step = (x, y + 1 if y < 4 else y - 1)
    wait_for("the focused cell after the box", lambda: focused_cells(board, 5), [step])
    wrong = {c: cell_at(board, c).get_name() for c in game.numbers
             if cell_at(board, c).get_name() != game.name(c)}
    if wrong:
        fail(f"after the win: {wrong}")


if __name__ == "__main__":
    main()
