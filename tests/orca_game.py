#!/usr/bin/python3
"""Plays the game with keys only under Orca and checks what Orca says after
each key, read from Orca's debug log ("SPEECH OUTPUT: '...'" lines).

Run by orca_speech.sh with the program and Orca started.
Usage: orca_game.py ORCA_LOG LANGUAGE [--record KEY...]
  --record presses the keys given and prints what each one made Orca say.
"""
import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from access_program import Game, tour  # noqa: E402

# An utterance of several lines is logged over several lines: its first one
# is taken.
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)(?:' ?(\{.*\})?)?\s*$")
# On a loaded machine a key's speech can take seconds to come.
FIRST_WORD = 4.0
QUIET = 1.0


class Orca:
    def __init__(self, path):
        self.path = path
        self.read = 0

    def _new_lines(self):
        try:
            with open(self.path, encoding="utf-8", errors="replace") as log:
                log.seek(self.read)
                text = log.read()
        except FileNotFoundError:
            return []
        # Only whole lines; a line being written is read next time.
        end = text.rfind("\n") + 1
        self.read += len(text[:end].encode("utf-8"))
        return text[:end].splitlines()

    def utterances(self, first=FIRST_WORD, quiet=QUIET):
        """What Orca says from now until it has been quiet for a while."""
        said = []
        start = last = time.monotonic()
        while True:
            time.sleep(0.1)
            new = [m.group(1) for m in map(SPOKEN.search, self._new_lines()) if m]
            now = time.monotonic()
            if new:
                said += new
                last = now
            if said and now - last >= quiet:
                return said
            if not said and now - start >= first:
                return said

    def wait_ready(self, seconds=60):
        """Waits until Orca has started and spoken its first words."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if self.utterances(first=1.0):
                return True
        return False


def press(orca, key):
    orca.utterances(first=0.2, quiet=0.3)  # whatever came before the key
    subprocess.run(["xdotool", "key", key], check=True)
    return orca.utterances()


def record(orca, keys):
    for key in keys:
        print(f"{key}: {press(orca, key)}")


WORDS = {
    "ru": {"cell": Game.RUSSIAN, "place": re.compile(r"столбец (\d+), строка (\d+)"),
           "board": "Доска", "size": "Размер", "menu": "Игра",
           "rules": "Ходить можно только буквой Г.", "win": "Победа!"},
    "en": {"cell": {"place": "column {}, row {}", "move": "move", "knight": "knight",
                    "free": "free", "choice": "can jump here"},
           "place": re.compile(r"column (\d+), row (\d+)"),
           "board": "Board", "size": "Size", "menu": "Game",
           "rules": "The knight moves only in an L shape.", "win": "Victory!"},
}
# A key makes Orca say at most this many things (its echo, a window coming
# back, the board, its size and the cell).
MOST = 5


class Player:
    """Presses keys and checks what each one made Orca say."""

    def __init__(self, orca, language):
        self.orca = orca
        self.words = WORDS[language]
        self.language = language
        self.steps = 0

    def fail(self, message):
        print(f"orca_game ({self.language}): FAIL: {message}", file=sys.stderr)
        sys.exit(1)

    def press(self, key, says=(), cell=None, cells=1):
        """Presses key; Orca must say each text of says, name at most `cells`
        cells (only `cell`'s name, when given, as a whole utterance) and say
        no more than MOST things."""
        said = press(self.orca, key)
        # On a loaded machine a box can take seconds to come up.
        end = time.monotonic() + 8
        while time.monotonic() < end and not all(any(t in s for s in said) for t in says):
            said += self.orca.utterances(first=1.0)
        self.steps += 1
        print(f"orca_game ({self.language}): {key}: {said}")
        what = f"after {key} (step {self.steps}) Orca said {said}"
        if len(said) > MOST:
            self.fail(f"too much {what}")
        for text in says:
            if not any(text in s for s in said):
                self.fail(f"no {text!r} {what}")
        named = [m.group(0) for s in said for m in self.words["place"].finditer(s)]
        if len(named) > cells:
            self.fail(f"more than {cells} cell(s) named {what}")
        if cell is not None and cell not in [s.rstrip(".") for s in said]:
            self.fail(f"not the cell {cell!r} alone {what}")
        return said


def play(player, size, moves, win):
    """From the size box: sets the size, enters the board, tries the arrows,
    makes `moves` moves of a tour with Enter and Page Down, an illegal one
    after the first, and when `win`, the whole tour and the box that ends it."""
    words = player.words
    game = Game(size, words["cell"])
    player.press("F10", says=[words["menu"]], cells=0)
    player.press("Escape", cells=0)
    player.press("Escape", cells=0)
    # From 8 down to the size wanted: 8, 7, 5.
    for _ in range(2 if size == 5 else 0):
        said = player.press("Down", cells=0)
    if size == 5 and not any("5" in s for s in said):
        player.fail(f"the size box did not say its value 5: {said}")
    for _ in range(4):
        said = player.press("Tab", cells=1)
        if not said:
            player.fail("a Tab stop said nothing")
        if any(words["board"] in s for s in said):
            break
    else:
        player.fail("four Tabs did not reach the board")
    if not any(game.name((0, 0)) in s for s in said):
        player.fail(f"entering the board did not say the cursor's cell: {said}")
    cursor = (0, 0)
    for key, step in [("Right", (1, 0)), ("Down", (0, 1)), ("Up", (0, -1)), ("Left", (-1, 0))]:
        cursor = (cursor[0] + step[0], cursor[1] + step[1])
        player.press(key, cell=game.name(cursor))
    path = tour(size)
    for number, cell in enumerate(path[:moves], start=1):
        if number > 1:
            # Page Down steps through the knight's choices from the first.
            for choice in game.choices()[:game.choices().index(cell) + 1]:
                player.press("Next", cell=game.name(choice))
        game.play(cell)
        last = number == size * size
        place = words["cell"]["place"].format(cell[0] + 1, cell[1] + 1)
        taken = f"{place}, {words['cell']['move']} {number}"
        player.press("Return", says=[words["win"]] if last else [taken])
        if number == 1:
            # A cell no jump reaches: the error box and its rules are read.
            player.press("Right", cell=game.name((1, 0)))
            player.press("Return", says=[words["rules"]], cells=0)
            player.press("Return", cell=game.name((1, 0)))
        if number == moves and not win:
            # Taking the last move back says the freed cell and the knight's
            # place; playing it again says the cell taken once more.
            previous = path[number - 2]
            knight = words["cell"]["place"].format(previous[0] + 1, previous[1] + 1)
            freed = f"{place}, {words['cell']['free']}; {words['cell']['knight']}: {knight}"
            player.press("alt+BackSpace", says=[freed], cells=3)
            player.press("shift+alt+BackSpace", says=[taken], cells=2)
    if win:
        player.press("Return")


def main():
    orca = Orca(sys.argv[1])
    if not orca.wait_ready():
        print("orca_game: FAIL: Orca said nothing within 60 s", file=sys.stderr)
        sys.exit(1)
    if sys.argv[3:4] == ["--record"]:
        record(orca, sys.argv[4:])
        return
    language = sys.argv[2]
    player = Player(orca, language)
    if language == "ru":
        play(player, 5, 25, win=True)
    else:
        play(player, 8, 3, win=False)
    print(f"orca_game ({language}): {player.steps} keys, each heard as expected")


main()
