#!/usr/bin/env bash
# "Запоминать игру" in the real program on a virtual X display: with the
# option off a game leaves no file under the per-user folders; with it on a
# game of 21 moves and the options are back after a quit and a new start,
# and a move made three seconds before a kill -9 is there at the next start.
#
# Usage: keep_program.sh PATH_TO_VILTRON
set -u

exe=${1:-}
x_test=keep_program
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
[ -n "$exe" ] && [ -x "$exe" ] || x_fail "no program to run at '${exe}' (pass the built viltron)"
x_require python3

conf=$x_home/.config/viltron/viltron.conf
game=$x_home/.local/share/viltron/game.sav

# A knight's walk on 8 x 8 (Warnsdorff's rule from a corner), "x y" a line.
walk=$(python3 - <<'PY'
n, pos, seen = 8, (0, 0), {(0, 0)}
jumps = [(2, 1), (2, -1), (-2, 1), (-2, -1), (1, 2), (1, -2), (-1, 2), (-1, -2)]
free = lambda p: [(p[0] + a, p[1] + b) for a, b in jumps
                  if 0 <= p[0] + a < n and 0 <= p[1] + b < n and (p[0] + a, p[1] + b) not in seen]
print(0, 0)
for _ in range(30):
    pos = min(free(pos), key=lambda c: len(free(c)))
    seen.add(pos)
    print(*pos)
PY
)

start() {
  x_launch "$exe"
  window=$(x_wait_window Вилтрон) || exit 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  menu=$((HEIGHT - 284))
  # A busy machine may still be laying the window out.
  sleep 1
}

# Presses the cell in column $1, row $2 of the board (cells of 25 pixels at
# (8, 56) of the client area below the menu bar), 5 pixels inside it: the
# knight pointer of a new game points at the cell below right of its tip.
press() {
  xdotool mousemove --window "$window" $((8 + 25 * $1 + 5)) $((menu + 56 + 25 * $2 + 5)) \
    click 1
  sleep 0.5
}

# Plays moves $1 to $2 (from 1) of the walk.
play() {
  local x y
  while read -r x y; do press "$x" "$y"; done < <(sed -n "$1,$2p" <<<"$walk")
}

# Ctrl+Q through the keyboard itself: keys sent to a window straight away
# (x_quit) were seen to reach the next start's window, which takes the same id.
quit_game() {
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key ctrl+q 2>/dev/null
  x_wait_exit 10 || x_fail "the program still runs 10 s after Ctrl+Q"
  [ "$x_status" -eq 0 ] || x_fail "the program exited with status $x_status after Ctrl+Q"
}

# The move count and the state in the kept game.
kept() {
  python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(); print(len(d), struct.unpack_from("<H",d,20006)[0], d[20014])' "$game"
}

x_start 1280x1024x24

# Off, as at the first start: nothing of the game's under the user's
# configuration, data and state folders.
start
play 1 3
quit_game
# Qt's file dialog keeps its own history in QtProject.conf, as in every Qt program.
files=$(find "$x_home/.config" "$x_home/.local/share" "$x_home/.local/state" -type f \
          ! -name QtProject.conf 2>/dev/null)
[ -z "$files" ] || x_fail "with the option off the game wrote: $files"
echo "keep_program: option off, nothing written under the configuration, data and state folders"

# On, the sound off: a game of 21 moves comes back after a quit.
mkdir -p "$(dirname "$conf")"
printf '[General]\nRememberGame=true\nVersion=1\nSound=false\n' >"$conf"
start
play 1 21
quit_game
[ "$(kept)" = "20016 21 0" ] || x_fail "kept after a quit: $(kept), expected 21 moves in play"
start
sleep 1
quit_game
[ "$(kept)" = "20016 21 0" ] || x_fail "kept after a second start: $(kept)"
grep -qx 'Sound=false' "$conf" || x_fail "the sound option did not come back: $(cat "$conf")"
echo "keep_program: a game of 21 moves and the options came back"

# A move three seconds before a kill -9 is kept, and comes back.
start
play 22 22
sleep 3
kill -9 "$x_program_pid"
wait "$x_program_pid" 2>/dev/null
x_program_pid=""
[ "$(kept)" = "20016 22 0" ] || x_fail "kept after kill -9: $(kept), expected 22 moves"
leftovers=$(find "$(dirname "$game")" -type f ! -name game.sav)
[ -z "$leftovers" ] || x_fail "half-written files left: $leftovers"
start
sleep 1
quit_game
[ "$(kept)" = "20016 22 0" ] || x_fail "after kill -9 and a new start: $(kept)"
echo "keep_program: the move made 3 s before kill -9 came back"
echo "3 passed, 0 failed"
