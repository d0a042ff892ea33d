#!/usr/bin/env bash
# End-to-end test of the Windows program under Wine on a virtual X display:
# starts viltron.exe, clicks a first move (its sound reaches the audio device)
# and a knight's jump and sees both drawn, saves with Ctrl+S through the file
# dialog and compares the file with the one the Linux build writes for the
# same game, starts a new game, loads that Linux-written file and sees the
# same board again, and quits with Ctrl+Q and status 0.
#
# Usage: wine_program.sh VILTRON.EXE LINUX_WRITTEN.SAV WINEPREFIX
set -u
exe=${1:?usage: wine_program.sh VILTRON.EXE LINUX_WRITTEN.SAV WINEPREFIX}
linux_sav=${2:?}
x_test=wine_program
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/x_session.sh"
source "$here/wine_session.sh"
source "$here/wine_board.sh"
x_require wine import convert python3 cmp

step() { echo "$x_test: $*"; }

[ -f "$exe" ] || x_fail "no program at '$exe'"
[ -f "$linux_sav" ] || x_fail "no saved game at '$linux_sav'"
wine_prefix "$3" || x_fail "no Wine prefix"

x_start
games=$x_work/games
mkdir -p "$games"
cp "$linux_sav" "$games/linux.sav"
# The file dialogs open in the working folder.
cd "$games" || x_fail "no folder $games"
# ALSA's default device, for Wine's sound, writes what it plays into a file.
sound_home=$x_work/home
mkdir -p "$sound_home"
cat >"$sound_home/.asoundrc" <<EOF
pcm.!default { type file; slave.pcm "null"; file "$x_work/played.raw"; format "raw" }
EOF
HOME=$sound_home wine_launch "$exe"
window=$(x_wait_window 'Вилтрон' 60) || exit 1
find_board || x_fail "no 8 × 8 board in the window"
step "window up, board at $board_x,$board_y"
empty=$(board_pixels)

# The game of the Linux-written file: (0,0), then the jump to (1,2).
click_cell 0 0
for _ in $(seq 50); do [ -s "$x_work/played.raw" ] && break; sleep 0.1; done
[ -s "$x_work/played.raw" ] || x_fail "the first move's sound did not reach the audio device"
step "the first move's sound played ($(stat -c %s "$x_work/played.raw") bytes)"
click_cell 1 2
wait_board '!=' "$empty" "the moves are not drawn"
cell_drawn 0 0 || x_fail "cell 0,0 shows no move number"
cell_drawn 1 2 || x_fail "cell 1,2 shows no knight"
played=$(board_pixels)
step "first move and a jump drawn"

xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key ctrl+s
dialog=$(x_wait_window 'Save As' 20) || exit 1
x_answer_file_dialog "$dialog" partie
saved=$games/partie.sav
for _ in $(seq 50); do [ -f "$saved" ] && break; sleep 0.1; done
[ -f "$saved" ] || x_fail "no file $saved after saving; in $games: $(ls "$games")"
sleep 0.5
cmp "$saved" "$games/linux.sav" ||
  x_fail "the saved game ($(stat -c %s "$saved") bytes) differs from the Linux build's"
step "saved $(stat -c %s "$saved") bytes, the same as the Linux build's"

xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key F2
# A game in play is only dropped once the player confirms.
box=$(x_wait_window 'Confirm' 10) || exit 1
xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key Return
x_wait_gone 'Confirm'
wait_board '=' "$empty" "F2 did not clear the board"
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key ctrl+l
dialog=$(x_wait_window 'Open' 20) || exit 1
x_answer_file_dialog "$dialog" linux.sav
wait_board '=' "$played" "the loaded Linux-written game does not show as played"
step "loaded the Linux-written game"

x_quit 20
step "quit with status 0"
echo "1 passed, 0 failed"
