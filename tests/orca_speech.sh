#!/usr/bin/env bash
# What a blind player hears: the real program under Orca, the screen reader,
# on a virtual X display with the accessibility bus. orca_game.py plays keys
# only and reads what Orca says from its debug log (its "SPEECH OUTPUT" lines).
# A stand-in speech server takes Orca's speech, so that no synthesiser runs.
#
# Usage: orca_speech.sh PATH_TO_VILTRON LANGUAGE [orca_game.py options]
set -u

exe=${1:-}
language=${2:-ru}
if [ -z "${ORCA_SPEECH_BUS:-}" ]; then
  command -v dbus-run-session >/dev/null ||
    { echo "orca_speech: FAIL: dbus-run-session is missing (package dbus-x11)" >&2; exit 1; }
  ORCA_SPEECH_BUS=1 exec dbus-run-session -- "$0" "$@" 2>&1
fi
shift 2

x_test="orca_speech ($language)"
x_language=$language
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/x_session.sh"

[ -n "$exe" ] && [ -x "$exe" ] || x_fail "no program to run at '${exe}' (pass the built viltron)"
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || x_fail "$launcher is missing (package at-spi2-core)"
[ -x /usr/bin/orca ] || x_fail "/usr/bin/orca is missing (package orca)"

# Orca, the speech client and the program keep their settings here only.
export HOME="$x_work/home" XDG_CONFIG_HOME="$x_work/home/.config"
export XDG_DATA_HOME="$x_work/home/.local/share" XDG_CACHE_HOME="$x_work/home/.cache"
export XDG_RUNTIME_DIR="$x_work/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

bus_pid="" speech_pid="" orca_pid="" lock=""
stop_all() {
  local pid
  # Orca can take long to shut down on SIGTERM: three seconds, then SIGKILL.
  for pid in $orca_pid $speech_pid $bus_pid; do
    kill "$pid" 2>/dev/null || continue
    for _ in $(seq 30); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  [ -n "$lock" ] && exec {lock}>&-
  # ORCA_SPEECH_KEEP=DIR keeps the logs for a look.
  [ -n "${ORCA_SPEECH_KEEP:-}" ] && cp -r "$x_work" "$ORCA_SPEECH_KEEP"
  x_cleanup
}
trap stop_all EXIT

# Orca refuses to start while another Orca of the same user runs: our own
# Orca tests take turns.
exec {lock}>"${TMPDIR:-/tmp}/viltron-orca.lock"
flock -w 300 "$lock" || x_fail "another Orca test held the lock for 5 minutes"

x_start 1024x768x24
"$launcher" --launch-immediately >"$x_work/bus.log" 2>&1 &
bus_pid=$!
/usr/bin/python3 "$here/ssip_standin.py" "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" \
  >"$x_work/speech.log" 2>&1 &
speech_pid=$!

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 x_launch "$exe"
window=$(x_wait_window "$( [ "$language" = en ] && echo Viltron || echo 'Вилтрон')") || exit 1

log="$x_work/orca.log"
/usr/bin/python3 "$here/orca_line_log.py" --debug-file "$log" >"$x_work/orca.out" 2>&1 &
orca_pid=$!
xdotool windowfocus --sync "$window" 2>/dev/null

/usr/bin/python3 "$here/orca_game.py" "$log" "$language" "$@" ||
  { echo "--- Orca's output ---" >&2; tail -n 20 "$x_work/orca.out" >&2; x_fail "see above"; }

x_quit 10
echo "$x_test: passed"
