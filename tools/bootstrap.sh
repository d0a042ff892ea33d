#!/usr/bin/env bash
# Installs what is missing (Debian 12), then configures the project in ./build
# and builds it. Safe to run again: it installs only what is missing and
# rebuilds only what changed.
#
#   tools/bootstrap.sh play   what building and running the game needs; builds
#                             the game alone (./play.sh)
#   tools/bootstrap.sh test   that, and what the tests, the package checks and
#                             the Windows build need; builds everything
#                             (./test.sh)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"
need=${1:?usage: bootstrap.sh play|test}

# The game: compiler, CMake, Qt (Widgets, Multimedia, the translation tools),
# libjpeg, and the font the windows' layouts are measured with.
packages=(
  cmake g++ make
  qt6-base-dev qt6-multimedia-dev libjpeg62-turbo-dev
  qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools
  fonts-liberation
)
case $need in
  play) targets=(--target viltron) ;;
  test)
    targets=()
    packages+=(
      # The program under Xvfb and over the accessibility bus.
      xvfb xauth xdotool imagemagick
      dbus-x11 at-spi2-core python3-pyatspi orca
      # The install, the Debian package and its hardening.
      desktop-file-utils appstream dpkg-dev file lintian groff-base man-db devscripts
      # The Windows game: cross compilers, Qt's build, the installer, Wine.
      g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix ninja-build nasm nsis wine wine64
    )
    ;;
  *)
    echo "usage: bootstrap.sh play|test" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j "$(nproc)" "${targets[@]}"
