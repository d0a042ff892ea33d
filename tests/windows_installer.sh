#!/usr/bin/env bash
# The Windows installer under Wine, in a Wine prefix of its own: a silent
# install puts the program, its Start-menu entry "Вилтрон" and its entry in
# Apps & features in place; the installed program starts and quits on Ctrl+Q;
# the silent uninstall leaves no file and no registry key behind.
#
# Usage: windows_installer.sh INSTALLER.EXE WINEPREFIX
set -u
installer=${1:?usage: windows_installer.sh INSTALLER.EXE WINEPREFIX}
x_test=windows_installer
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/x_session.sh"
source "$here/wine_session.sh"
x_require wine iconv

step() { echo "$x_test: $*"; }

[ -f "$installer" ] || x_fail "no installer at '$installer' (made by cpack in the Windows build)"
# Wine's desktop process, started with the prefix, draws on this display.
x_start
rm -rf "$2"
wine_prefix "$2" || x_fail "no Wine prefix"
drive=$WINEPREFIX/drive_c
folder=$drive/Program\ Files/Viltron
menu=$drive/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Вилтрон
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Viltron'

# What the prefix holds, less Wine's own scratch space.
contents() {
  wineserver --wait
  (cd "$drive" && find . -path './users/*/Temp' -prune -o -path './windows' -prune -o -print | sort)
}
before=$(contents)

wine "$installer" /S >"$x_work/install.log" 2>&1 || x_fail "the installer failed: $(cat "$x_work/install.log")"
wineserver --wait
[ -f "$folder/viltron.exe" ] || x_fail "no viltron.exe in $folder"
[ -f "$folder/Uninstall.exe" ] || x_fail "no uninstaller in $folder"
[ -f "$menu/Вилтрон.lnk" ] || x_fail "no Start-menu entry 'Вилтрон' in $menu: $(ls "$menu" 2>&1)"
# reg query prints in the console's code page, which has no Cyrillic; an
# exported key is UTF-16.
wine reg export "$key" "Z:$x_work/entry.reg" /y >/dev/null 2>&1
entry=$(iconv -f UTF-16 -t UTF-8 "$x_work/entry.reg" 2>/dev/null | tr -d '\r')
grep -q '"DisplayName"="Вилтрон"' <<<"$entry" || x_fail "no Apps & features entry 'Вилтрон': $entry"
grep -q 'DisplayIcon.*viltron.exe' <<<"$entry" || x_fail "the Apps & features entry has no icon: $entry"
grep -q 'UninstallString.*Uninstall.exe' <<<"$entry" || x_fail "the Apps & features entry has no uninstaller"
step "installed: $(cd "$folder" && ls | tr '\n' ' '), Start menu: $(ls "$menu" | tr '\n' ' ')"

wine_launch "$folder/viltron.exe"
window=$(x_wait_window 'Вилтрон' 60) || exit 1
x_quit 20
step "the installed program started and quit with status 0"

# The uninstaller copies itself away and goes on from there: wait for Wine
# to have no program left running.
wine "$folder/Uninstall.exe" /S >"$x_work/uninstall.log" 2>&1 ||
  x_fail "the uninstaller failed: $(cat "$x_work/uninstall.log")"
after=$(contents)
[ "$after" = "$before" ] ||
  x_fail "left behind: $(diff <(echo "$before") <(echo "$after") | grep '^[<>]')"
wine reg query "$key" >/dev/null 2>&1 && x_fail "the Apps & features entry is still there"
grep -qi viltron "$WINEPREFIX"/*.reg && x_fail "the registry still names Viltron: $(grep -i viltron "$WINEPREFIX"/*.reg)"
step "uninstalled: no file and no registry entry left"
echo "1 passed, 0 failed"
