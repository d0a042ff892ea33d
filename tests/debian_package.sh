#!/usr/bin/env bash
# Builds the Debian package with cpack in a temporary folder (the build tree
# stays clean) and checks it from outside: its name, that it holds exactly the
# files an install puts in place (under /usr, the program in /usr/games), a
# launcher that runs /usr/games/viltron, the dependencies dpkg-shlibdeps found
# for the libraries the program links, and that lintian finds no error, no
# warning and no hardening tag (it is installed when missing).
#
# Usage: debian_package.sh BUILD_FOLDER
set -u
source "$(dirname "${BASH_SOURCE[0]}")/install_layout.sh"
layout_test debian_package "$@"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
debs=("$work"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made ${#debs[@]} packages: ${debs[*]}"
deb=${debs[0]}
field() { dpkg-deb -f "$deb" "$1"; }

expected_name="viltron_$(field Version)_$(dpkg --print-architecture).deb"
[ "$(basename "$deb")" = "$expected_name" ] || fail "package named $(basename "$deb"), expected $expected_name"
[ "$(field Package)" = viltron ] && [ "$(field Section)" = games ] && [ -n "$(field Maintainer)" ] &&
  [ -n "$(field Homepage)" ] && [ "$(field Description | wc -l)" -gt 1 ] ||
  fail "control fields: $(dpkg-deb -f "$deb" Package Section Maintainer Homepage Description)"

# Files only: the listing's folders are implied by them.
diff <(install_layout games | sed 's|^|usr/|') \
     <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sed 's|^\./||' | LC_ALL=C sort) >&2 ||
  fail "the package's files differ from an install's (< install, > package)"
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - "./usr/share/applications/$viltron_app_id.desktop" |
  grep -qx 'Exec=/usr/games/viltron' || fail "the packaged launcher does not run /usr/games/viltron"

depends=$(field Depends)
names=$(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }')
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libjpeg62-turbo libc6 \
               qt6-qpa-plugins fonts-liberation; do
  grep -qx "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done

if ! command -v lintian >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  { $sudo apt-get update -q &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends lintian; } \
    >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; fail "cannot install lintian"; }
fi
# Informational tags are shown, not counted, but for the hardening ones: the
# program is built hardened.
lintian --fail-on error,warning --display-info "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log" >&2; fail "lintian reports errors or warnings"; }
grep '^I: ' "$work/lintian.log"
! grep -q ' hardening-' "$work/lintian.log" || fail "lintian reports a hardening tag"

echo "debian_package: $(basename "$deb"), Depends: $depends"
