#!/usr/bin/env bash
# Shared by the tests that run Windows programs under Wine. Source it.
#
#   wine_prefix DIR   uses the Wine prefix DIR (exported as WINEPREFIX),
#                     making it first if it does not exist; the first start
#                     in a new prefix takes some seconds, later ones do not;
#                     the QT_ variables set now reach the Windows programs
#   wine_launch EXE...  x_launch of a Windows program, in Russian

# No console noise, no offer to install Mono or Gecko (the programs need
# neither), and no menu entries or icons in the user's desktop for what an
# installer puts in the Start menu.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Wine keeps the host's QT_ variables from Windows programs and hands on
# WINEQT_... under the plain name instead; a test's QT_ settings are meant for
# the program.
wine_pass_qt_environment() {
  local name
  for name in $(compgen -e QT_); do
    export "WINE$name=${!name}"
  done
}

# x_launch for a Windows program, which draws real windows with its own
# Windows platform whatever the caller set for Qt. Windows takes its language
# from the locale that Wine makes of LANG (no Linux locale of that name is
# needed).
wine_launch() {
  x_launch env -u WINEQT_QPA_PLATFORM LANG=ru_RU.UTF-8 wine "$@"
}

wine_prefix() {
  local dir=$1 lock
  export WINEPREFIX=$dir
  wine_pass_qt_environment
  command -v wine >/dev/null 2>&1 || {
    echo "wine is missing (tools/bootstrap.sh installs what the tests need)" >&2
    return 1
  }
  mkdir -p "$(dirname "$dir")"
  exec {lock}>"$dir.lock"
  flock "$lock"
  if [ ! -f "$dir/system.reg" ]; then
    wineboot --init >/dev/null 2>&1 && wineserver --wait
  fi
  flock -u "$lock"
  exec {lock}>&-
  [ -f "$dir/system.reg" ] || { echo "could not make the Wine prefix $dir" >&2; return 1; }
}
