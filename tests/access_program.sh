#!/usr/bin/env bash
# The real program as a screen reader sees it: on a virtual X display, with a
# private session bus and the accessibility bus, access_program.py reads the
# status bar and the board over AT-SPI while it clicks three moves.
#
# Usage: access_program.sh PATH_TO_VILTRON
set -u

exe=${1:-}
# Everything below talks over a session bus of its own.
if [ -z "${ACCESS_PROGRAM_BUS:-}" ]; then
  command -v dbus-run-session >/dev/null ||
    { echo "access_program: FAIL: dbus-run-session is missing (package dbus-x11)" >&2; exit 1; }
  ACCESS_PROGRAM_BUS=1 exec dbus-run-session -- "$0" "$@" 2>&1
fi

x_test=access_program
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/x_session.sh"

[ -n "$exe" ] && [ -x "$exe" ] || x_fail "no program to run at '${exe}' (pass the built viltron)"
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || x_fail "$launcher is missing (package at-spi2-core)"
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
  x_fail "python3 cannot reach AT-SPI (package python3-pyatspi)"

x_start
"$launcher" --launch-immediately >"$x_work/bus.log" 2>&1 &
bus_pid=$!
trap 'kill "$bus_pid" 2>/dev/null; x_cleanup' EXIT

# Qt publishes its widgets on the bus without asking whether a reader runs.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 x_launch "$exe"
window=$(x_wait_window 'Вилтрон') || exit 1
/usr/bin/python3 "$here/access_program.py" || x_fail "see above"

x_quit
echo "access_program: passed"
