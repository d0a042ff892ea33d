#!/usr/bin/env bash
# Smoke test of the real program: starts it on a virtual X display, waits for
# its window "Вилтрон", checks the window's size, sends Ctrl+Q to it and
# expects the program to end by itself with exit status 0.
#
# Usage: smoke_program.sh PATH_TO_VILTRON
set -u

exe=${1:-}
title='Вилтрон'

fail() {
  echo "smoke_program: FAIL: $*" >&2
  if [ -n "${work:-}" ] && [ -s "$work/program.log" ]; then
    echo "--- program output ---" >&2
    cat "$work/program.log" >&2
  fi
  exit 1
}

if [ -z "$exe" ] || [ ! -x "$exe" ]; then
  echo "smoke_program: FAIL: no program to run at '${exe}' (pass the built viltron)" >&2
  exit 1
fi
for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "smoke_program: FAIL: '$tool' is missing; install the packages xvfb and xdotool" \
      "(tools/bootstrap.sh does)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""

cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Our own X server on a display it picks as free; it writes the number when
# it is ready to take clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
[ -s "$work/display" ] || fail "the virtual X server did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n 1 "$work/display")"
# The program must open a real window on the X server, whatever the caller set.
export QT_QPA_PLATFORM=xcb

"$exe" >"$work/program.log" 2>&1 &
program_pid=$!

# Wait up to about 20 s for the main window.
window=""
for _ in $(seq 200); do
  kill -0 "$program_pid" 2>/dev/null || fail "the program ended before its window appeared"
  window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no visible window named '$title' within 20 s"

# A fixed window: 216 pixels of client width (no window manager adds a
# frame here) and the 284-pixel client area plus a menu bar in height.
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "${WIDTH:-0}" -eq 216 ] || fail "window width ${WIDTH:-?}, expected 216"
if [ "${HEIGHT:-0}" -le 284 ] || [ "${HEIGHT:-0}" -gt 340 ]; then
  fail "window height ${HEIGHT:-?}, expected the 284-pixel client area plus a menu bar"
fi
echo "smoke_program: window '$title' ${WIDTH}x${HEIGHT} on $DISPLAY"

# Ctrl+Q ("Выход") must end the program at once, without a question.
# The window may be gone before the key releases are delivered, so the
# sender's own status says nothing: the program's exit below is the check.
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key --window "$window" ctrl+q 2>"$work/xdotool.log"
for _ in $(seq 50); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then
  fail "the program still runs 5 s after Ctrl+Q"
fi
wait "$program_pid"
status=$?
program_pid=""
[ "$status" -eq 0 ] || fail "the program exited with status $status after Ctrl+Q"

echo "smoke_program: the program quit on Ctrl+Q with status 0"
echo "1 passed, 0 failed"
