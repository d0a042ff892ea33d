#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what landed there: the
# expected files and nothing else, a launcher that desktop-file-validate
# accepts and whose Exec and Icon lead to the installed program and icons,
# icons of the sizes their folders claim, and metainfo that appstreamcli
# accepts together with the launcher it names.
#
# Usage: install_files.sh BUILD_FOLDER
set -u
source "$(dirname "${BASH_SOURCE[0]}")/install_layout.sh"
layout_test install_files "$@"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; }
diff <(install_layout) <(files_under "$prefix") >&2 ||
  fail "the installed files differ from the expected ones (< expected, > installed)"

launcher=$prefix/share/applications/$viltron_app_id.desktop
desktop-file-validate "$launcher" >&2 || fail "desktop-file-validate refuses $launcher"
exec_line=$(sed -n 's/^Exec=//p' "$launcher")
[ "$exec_line" = "$prefix/bin/viltron" ] && [ -x "$exec_line" ] ||
  fail "the launcher's Exec '$exec_line' is not the installed program"
grep -qx "Icon=$viltron_app_id" "$launcher" || fail "the launcher's Icon is not $viltron_app_id"
for icon in "$prefix"/share/icons/hicolor/*/apps/"$viltron_app_id.png"; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  file -b "$icon" | grep -q "^PNG image data, ${size/x/ x }," ||
    fail "$icon is not a $size PNG: $(file -b "$icon")"
done

# validate-tree also checks the metainfo against the launcher it names.
appstreamcli validate --no-net "$prefix/share/metainfo/$viltron_app_id.metainfo.xml" >&2 ||
  fail "appstreamcli refuses the metainfo"
appstreamcli validate-tree --no-net "$prefix" >&2 || fail "appstreamcli refuses the installed tree"

echo "install_files: $(install_layout | wc -l) files installed and valid"
