#!/usr/bin/env bash
# Runs a Windows test program under Wine, in the given Wine prefix, with a
# virtual X display of its own (Wine makes no window without one, not even the
# hidden ones of Qt's offscreen platform). The cases that
# windows_left_out.txt lists for the program are left out of the run.
#
# Usage: wine_run.sh WINEPREFIX PROGRAM.exe [ARGUMENTS...]
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine_session.sh"
wine_prefix "$1" || exit 1
exe=$2
shift 2
suite=$(basename "$exe" .exe)
x_test=$suite
source "$here/x_session.sh"
platform=${QT_QPA_PLATFORM:-}
x_start
export QT_QPA_PLATFORM=$platform
# Qt's offscreen platform on Windows finds fonts only in a folder named to it:
# this machine's Liberation fonts stand in for Windows' Arial.
if [ -z "${QT_QPA_FONTDIR:-}" ]; then
  QT_QPA_FONTDIR=$(dirname "$(fc-match -f '%{file}' 'Liberation Sans:style=Regular')")
  export QT_QPA_FONTDIR
fi
wine_pass_qt_environment
out=$x_work/output
log=$x_work/log

# Wine loses what a program writes into a pipe, not into a file, and Qt Test
# on Windows without a console writes its log only to a file it is given.
run() {
  local status=0
  : >"$log"
  wine "$exe" "$@" -o "Z:$log,txt" >"$out" 2>&1 || status=$?
  tr -d '\r' <"$out"
  tr -d '\r' <"$log"
  return $status
}

# The cases, one per line; Wine's own remarks go to the error output.
tags() {
  wine "$exe" -datatags >"$out" 2>/dev/null
  tr -d '\r' <"$out"
}

# "suite function" or "suite function:row", from the list.
left_out=()
while read -r name what; do
  [ "$name" = "$suite" ] && left_out+=("$what")
done < <(grep -v '^#' "$here/windows_left_out.txt")

if [ ${#left_out[@]} -eq 0 ] || [ $# -gt 0 ]; then
  run "$@"
  exit
fi

is_left_out() {
  local entry
  for entry in "${left_out[@]}"; do
    [ "$entry" = "$1" ] && return 0
  done
  return 1
}

# Every function of the suite, by name; row by row only where some of its
# rows are left out.
cases=()
declare -A seen=()
while read -r _ function row; do
  is_left_out "$function" && continue
  partly=false
  for entry in "${left_out[@]}"; do
    [ "${entry%%:*}" = "$function" ] && [ "$entry" != "$function" ] && partly=true
  done
  if $partly; then
    is_left_out "$function:$row" || cases+=("$function:$row")
  elif [ -z "${seen[$function]:-}" ]; then
    seen[$function]=1
    cases+=("$function")
  fi
done < <(tags)
[ ${#cases[@]} -gt 0 ] || { echo "$suite: no cases to run" >&2; exit 1; }
run "${cases[@]}"
