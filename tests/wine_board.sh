#!/usr/bin/env bash
# The main board of the program in $window, found by its pixels (the frame
# that Wine draws itself shifts it), for the tests on a virtual X display.
# Source it after x_session.sh.
#
#   find_board             sets board_x, board_y: the empty 8 × 8 board's
#                          top-left corner in the window
#   board_pixels           one checksum of the board's pixels
#   click_cell X Y         clicks the middle of a cell
#   cell_drawn X Y         true when a cell is not plain any more
#   wait_board OP SUM MSG  waits up to 5 s until board_pixels OP (= or !=) SUM
cell=25

window_shot() {
  import -window "$window" "$x_work/shot.png" 2>/dev/null || x_fail "cannot take a screenshot"
}

find_board() {
  local _ found
  for _ in $(seq 20); do
    window_shot
    found=$(convert "$x_work/shot.png" -depth 8 ppm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
parts = data.split(maxsplit=4)
w, h, pixels = int(parts[1]), int(parts[2]), parts[4]
def at(x, y):
    i = 3 * (y * w + x)
    return pixels[i:i + 3]
white, black = b"\xff\xff\xff", b"\0\0\0"
for y in range(1, h - 200):
    for x in range(1, w - 200):
        if at(x, y) != white or at(x - 1, y) == white or at(x, y - 1) == white:
            continue
        if all(at(x + 25 * i + 12, y + 25 * j + 12) == (white if (i + j) % 2 == 0 else black)
               for i in range(8) for j in range(8)):
            print(x, y)
            sys.exit(0)
')
    if [ -n "$found" ]; then
      read -r board_x board_y <<<"$found"
      return 0
    fi
    sleep 0.5
  done
  return 1
}

board_pixels() {
  window_shot
  convert "$x_work/shot.png" -crop "200x200+$board_x+$board_y" +repage rgb:- | md5sum | cut -d' ' -f1
}

click_cell() {
  xdotool mousemove --window "$window" $((board_x + $1 * cell + cell / 2)) \
    $((board_y + $2 * cell + cell / 2)) click 1
  sleep 0.3
}

cell_drawn() {
  window_shot
  [ "$(convert "$x_work/shot.png" -crop "${cell}x${cell}+$((board_x + $1 * cell))+$((board_y + $2 * cell))" \
       +repage -format '%k' info:)" -gt 1 ]
}

wait_board() {
  local op=$1 sum=$2 _ now
  for _ in $(seq 25); do
    now=$(board_pixels)
    [ "$op" = "=" ] && [ "$now" = "$sum" ] && return 0
    [ "$op" = "!=" ] && [ "$now" != "$sum" ] && return 0
    sleep 0.2
  done
  x_fail "$3"
}
