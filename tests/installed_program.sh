#!/usr/bin/env bash
# End-to-end test of the installed program, driven from outside on a virtual
# X display as a player would: installs the build into a temporary prefix,
# starts the program by its launcher's Exec line, brings the board to 5 × 5
# with the size arrows, clicks a whole knight's tour and answers "Победа!",
# saves through the real file dialog and checks the file's bytes, starts a new
# game, loads the file back and checks that the board and the status-bar
# counts shown are those of the saved game again, and quits with Ctrl+Q.
#
# Usage: installed_program.sh BUILD_FOLDER
set -u
build=${1:?usage: installed_program.sh BUILD_FOLDER}
x_test=installed_program
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/x_session.sh"
source "$here/install_layout.sh"
x_require import convert cmake

step() { echo "$x_test: $*"; }

# A tour of the 5 × 5 board, as column,row from the top-left cell.
tour=(0,0 2,1 4,2 3,4 1,3 0,1 2,2 3,0 1,1 0,3 2,4 4,3 3,1 1,0 0,2
      1,4 3,3 4,1 2,0 1,2 0,4 2,3 4,4 3,2 4,0)

# Client-area layout of the 8 × 8 window: the down arrow of the size control
# (panel at 8,8, control at 177,8 inside it, 13 × 21, lower half), the 5 × 5
# board centred at 45,93 with 25-pixel cells, the 20-pixel status bar at the
# bottom of the 284-pixel client area.
down_arrow=(191 31)
board_left=45 board_top=93 cell=25
status_top=264 client_width=216

prefix=$x_work/prefix games=$x_work/games
mkdir -p "$games"
cmake --install "$build" --prefix "$prefix" >"$x_work/install.log" 2>&1 ||
  x_fail "cmake --install failed: $(cat "$x_work/install.log")"
program=$(sed -n 's/^Exec=//p' "$prefix/share/applications/$viltron_app_id.desktop")
[ -x "$program" ] || x_fail "the launcher's Exec '$program' is not a program"

# The pixels of a rectangle of the main window, as one checksum.
shot() {
  import -window "$window" "$x_work/shot.png" 2>/dev/null || x_fail "cannot take a screenshot"
  convert "$x_work/shot.png" -crop "$1" +repage rgb:- | md5sum | cut -d' ' -f1
}
board_rect() { echo "$((5 * cell))x$((5 * cell))+$board_left+$((menu + board_top))"; }
status_rect() { echo "${client_width}x20+0+$((menu + status_top))"; }

# Waits up to 5 s until the rectangle's pixels are (=) or are not (!=) CHECKSUM.
wait_pixels() {
  local rect=$1 op=$2 sum=$3 what=$4 _ now
  for _ in $(seq 25); do
    now=$(shot "$rect")
    [ "$op" = "=" ] && [ "$now" = "$sum" ] && return 0
    [ "$op" = "!=" ] && [ "$now" != "$sum" ] && return 0
    sleep 0.2
  done
  x_fail "$what"
}

x_start
# The file dialogs open in the working folder.
cd "$games" || x_fail "no folder $games"
x_launch "$program"
window=$(x_wait_window 'Вилтрон') || exit 1
eval "$(xdotool getwindowgeometry --shell "$window")"
menu=$((HEIGHT - 284))
[ "$menu" -gt 0 ] || x_fail "window height $HEIGHT leaves no room for the menu bar"
step "started $program"

# 8 → 7 → 5. Apart by more than a double-click interval, so that each is a click.
xdotool windowfocus --sync "$window" 2>/dev/null
for _ in 1 2; do
  xdotool mousemove --window "$window" "${down_arrow[0]}" $((menu + down_arrow[1])) click 1
  sleep 0.5
done

for at in "${tour[@]}"; do
  x=${at%,*} y=${at#*,}
  xdotool mousemove --window "$window" $((board_left + x * cell + cell / 2)) \
    $((menu + board_top + y * cell + cell / 2)) click 1
done
box=$(x_wait_window 'Information' 10) || exit 1
step "clicked the tour, 'Information' box up"
xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key Return
x_wait_gone 'Information'
won_board=$(shot "$(board_rect)")
won_status=$(shot "$(status_rect)")

xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key ctrl+s
dialog=$(x_wait_window 'Save As' 10) || exit 1
x_answer_file_dialog "$dialog" partie
# The program adds the ".sav" the name lacked.
saved=$games/partie.sav
for _ in $(seq 50); do [ -f "$saved" ] && break; sleep 0.1; done
[ -f "$saved" ] || x_fail "no file $saved after saving; in $games: $(ls "$games")"
[ "$(stat -c %s "$saved")" -eq 20016 ] || x_fail "$saved is $(stat -c %s "$saved") bytes, not 20016"
# Little-endian 16-bit words: the size byte 5 with its padding 0, the cells
# with cell (x, y) at word 1 + 100 x + y, then PosX, PosY, Count and, in the
# word of 20014, the state 1 (stopped) with its padding 0.
read -r -a words < <(od -An -v -tu2 "$saved" | tr -s ' \n' ' ')
[ "${words[0]}" -eq 5 ] || x_fail "the file starts with the word ${words[0]}, not the size 5"
for i in "${!tour[@]}"; do
  x=${tour[i]%,*} y=${tour[i]#*,}
  [ "${words[1 + 100 * x + y]}" -eq $((i + 1)) ] ||
    x_fail "cell $x,$y holds ${words[1 + 100 * x + y]} in the file, expected move $((i + 1))"
done
last=${tour[24]}
[ "${words[10001]} ${words[10002]} ${words[10003]} ${words[10007]}" = "${last%,*} ${last#*,} 25 1" ] ||
  x_fail "knight, count, state in the file: ${words[10001]} ${words[10002]} ${words[10003]} ${words[10007]}"
step "saved $(stat -c %s "$saved") bytes: $(od -An -tu1 -N12 "$saved")"

# F2: a new game, an empty board and the counts 0 and 25.
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key F2
wait_pixels "$(board_rect)" '!=' "$won_board" "the board did not change after F2"
wait_pixels "$(status_rect)" '!=' "$won_status" "the status bar did not change after F2"

xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key ctrl+l
dialog=$(x_wait_window 'Open' 10) || exit 1
x_answer_file_dialog "$dialog" partie.sav
wait_pixels "$(board_rect)" '=' "$won_board" "the loaded board does not look like the saved one"
wait_pixels "$(status_rect)" '=' "$won_status" "the status bar does not show the saved game's counts"
step "loaded: the board and the counts are those of the won game"

x_quit
step "quit with status 0"
echo "1 passed, 0 failed"
