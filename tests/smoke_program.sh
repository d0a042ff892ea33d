#!/usr/bin/env bash
# Smoke test of the real program: starts it on a virtual X display, waits for
# its window "Вилтрон", checks the window's size, sends Ctrl+Q to it and
# expects the program to end by itself with exit status 0. Given a language
# and the title the game has in it, the same in that language: the layout and
# the shortcuts are the same in every language.
#
# Usage: smoke_program.sh PATH_TO_VILTRON [LANGUAGE TITLE]
set -u

exe=${1:-}
x_language=${2:-ru}
title=${3:-Вилтрон}
x_test=smoke_program
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"

[ -n "$exe" ] && [ -x "$exe" ] || x_fail "no program to run at '${exe}' (pass the built viltron)"

x_start
x_launch "$exe"
window=$(x_wait_window "$title") || exit 1

# A fixed window: 216 pixels of client width (no window manager adds a
# frame here) and the 284-pixel client area plus a menu bar in height.
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "${WIDTH:-0}" -eq 216 ] || x_fail "window width ${WIDTH:-?}, expected 216"
if [ "${HEIGHT:-0}" -le 284 ] || [ "${HEIGHT:-0}" -gt 340 ]; then
  x_fail "window height ${HEIGHT:-?}, expected the 284-pixel client area plus a menu bar"
fi
echo "smoke_program: window '$title' ${WIDTH}x${HEIGHT} on $DISPLAY"

# Ctrl+Q ("Выход") must end the program at once, without a question.
# The window may be gone before the key releases are delivered, so the
# sender's own status says nothing: the program's exit below is the check.
x_quit

echo "smoke_program: the program quit on Ctrl+Q with status 0"
echo "1 passed, 0 failed"
