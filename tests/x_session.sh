#!/usr/bin/env bash
# Shared by the tests that drive the real program on a virtual X display.
# Source it, then call x_start, x_launch and x_wait_window; everything started
# here is ended when the test's shell exits.
#
#   x_start [WxHxD]        starts Xvfb on a free display and exports DISPLAY
#   x_launch CMD...        starts the program (output in $x_work/program.log)
#                          in the language $x_language, sets x_program_pid;
#                          its per-user folders are under $x_home, the
#                          same for every start of one test
#   x_named NAME           prints the ids of the visible windows named NAME
#   x_wait_window NAME [S] prints the id of the first visible window whose name
#                          is exactly NAME, waiting up to S seconds (20)
#   x_wait_gone NAME [S]   waits up to S seconds (5) for no window named NAME
#   x_answer_file_dialog DIALOG NAME
#                          types NAME into the file dialog and accepts it
#   x_wait_exit [S]        waits for the program to end, sets x_status
#   x_quit [S]             Ctrl+Q in $window; the program must end with status 0
#   x_fail MESSAGE         prints the message and the program's output, exits 1
#
# $x_test names the test in messages; $x_work is a private temporary folder.

x_test=${x_test:-$(basename "$0" .sh)}
# The program's language: Russian, the game's own, whatever the machine's
# locale, unless a test asks for another. The locale itself is one that every
# machine has, so that the X server gets the window titles as they are.
x_language=${x_language:-ru}
x_work=$(mktemp -d)
x_home=$x_work/home
x_xvfb_pid=""
x_program_pid=""

x_fail() {
  echo "$x_test: FAIL: $*" >&2
  if [ -s "$x_work/program.log" ]; then
    echo "--- program output ---" >&2
    cat "$x_work/program.log" >&2
  fi
  if [ -s "$x_work/xvfb.log" ]; then
    echo "--- X server output ---" >&2
    cat "$x_work/xvfb.log" >&2
  fi
  exit 1
}

x_cleanup() {
  if [ -n "$x_program_pid" ] && kill -0 "$x_program_pid" 2>/dev/null; then
    kill "$x_program_pid" 2>/dev/null
    wait "$x_program_pid" 2>/dev/null
  fi
  if [ -n "$x_xvfb_pid" ] && kill -0 "$x_xvfb_pid" 2>/dev/null; then
    kill "$x_xvfb_pid" 2>/dev/null
    wait "$x_xvfb_pid" 2>/dev/null
  fi
  rm -rf "$x_work"
}
trap x_cleanup EXIT
trap 'exit 1' INT TERM

x_require() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 ||
      x_fail "'$tool' is missing (tools/bootstrap.sh installs what the tests need)"
  done
}

x_start() {
  local screen=${1:-1024x768x24} try lock _
  x_require Xvfb xdotool flock
  # Our tests start their servers one at a time, each checked to take
  # clients before it is used, and started again if it does not.
  # -noreset: a client that comes and goes before the program (the check
  # below, the accessibility bus launcher) must not make the server reset
  # while the program connects; a resetting server drops new connections.
  exec {lock}>"${TMPDIR:-/tmp}/viltron-xvfb.lock"
  flock "$lock"
  for try in 1 2 3; do
    : >"$x_work/display"
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$x_work/display" \
      2>"$x_work/xvfb.log" &
    x_xvfb_pid=$!
    for _ in $(seq 100); do
      [ -s "$x_work/display" ] && break
      kill -0 "$x_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if [ -s "$x_work/display" ] &&
       DISPLAY=":$(head -n 1 "$x_work/display")" xdotool getdisplaygeometry >/dev/null 2>&1; then
      export DISPLAY=":$(head -n 1 "$x_work/display")"
      break
    fi
    kill "$x_xvfb_pid" 2>/dev/null
    wait "$x_xvfb_pid" 2>/dev/null
    x_xvfb_pid=""
  done
  flock -u "$lock"
  exec {lock}>&-
  [ -n "$x_xvfb_pid" ] || x_fail "the virtual X server did not start"
  # The program must open a real window on the X server, whatever the caller set.
  export QT_QPA_PLATFORM=xcb
}

x_launch() {
  mkdir -p "$x_home"
  HOME="$x_home" XDG_CONFIG_HOME="$x_home/.config" XDG_DATA_HOME="$x_home/.local/share" \
    XDG_STATE_HOME="$x_home/.local/state" XDG_CACHE_HOME="$x_work/cache" \
    LANGUAGE="$x_language" LC_ALL= LC_MESSAGES= LANG=C.UTF-8 "$@" >"$x_work/program.log" 2>&1 &
  x_program_pid=$!
}

# The visible windows named exactly NAME, by the name xdotool prints (the
# UTF-8 _NET_WM_NAME where a window has one): its search reads WM_NAME, which
# Wine fills with question marks for letters outside Latin-1.
x_named() {
  local id
  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id"
  done
}

x_wait_window() {
  local name=$1 seconds=${2:-20} window="" _
  for _ in $(seq $((seconds * 10))); do
    if [ -n "$x_program_pid" ] && ! kill -0 "$x_program_pid" 2>/dev/null; then
      x_fail "the program ended while waiting for the window '$name'"
    fi
    window=$(x_named "$name" | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || x_fail "no visible window named '$name' within $seconds s"
  echo "$window"
}

# Waits up to S seconds (5) until no visible window is named NAME.
x_wait_gone() {
  local _
  for _ in $(seq $((${2:-5} * 10))); do
    [ -z "$(x_named "$1")" ] && return 0
    sleep 0.1
  done
  x_fail "the window '$1' is still open"
}

# Visible windows that were not up at the last x_mark_windows.
x_mark_windows() { x_marked=$(xdotool search --onlyvisible --name '' 2>/dev/null | sort); }
x_new_windows() {
  comm -13 <(echo "$x_marked") <(xdotool search --onlyvisible --name '' 2>/dev/null | sort)
}

# Types NAME into the file dialog DIALOG, presses Return (its default
# button) and waits for the dialog to close. Typing can open the file name
# completer's popup, the one new window, which would take the Return
# and under Xvfb can outlive the dialog: it is closed first (Escape only when
# it is up, as Escape would cancel the dialog).
x_answer_file_dialog() {
  local dialog=$1 name=$2 title _
  title=$(xdotool getwindowname "$dialog" 2>/dev/null)
  x_mark_windows
  xdotool windowfocus --sync "$dialog" 2>/dev/null
  xdotool type --window "$dialog" --delay 30 "$name"
  for _ in $(seq 10); do
    [ -n "$(x_new_windows)" ] && break
    sleep 0.1
  done
  if [ -n "$(x_new_windows)" ]; then
    xdotool key Escape
    for _ in $(seq 30); do
      [ -z "$(x_new_windows)" ] && break
      sleep 0.1
    done
    [ -z "$(x_new_windows)" ] || x_fail "the file name completer stays open"
  fi
  xdotool key Return
  x_wait_gone "$title"
}

# Presses Ctrl+Q in $window and fails unless the program ends within S
# seconds (5) with status 0.
x_quit() {
  local seconds=${1:-5}
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key --window "$window" ctrl+q 2>/dev/null
  x_wait_exit "$seconds" || x_fail "the program still runs $seconds s after Ctrl+Q"
  [ "$x_status" -eq 0 ] || x_fail "the program exited with status $x_status after Ctrl+Q"
}

# Waits up to S seconds (5) for the program to end and sets x_status to its
# exit status; returns 1 if it still runs. Not in a subshell: only this shell
# can wait for the program.
x_wait_exit() {
  local seconds=${1:-5} _
  for _ in $(seq $((seconds * 10))); do
    kill -0 "$x_program_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$x_program_pid" 2>/dev/null && return 1
  x_status=0
  wait "$x_program_pid" || x_status=$?
  x_program_pid=""
}
