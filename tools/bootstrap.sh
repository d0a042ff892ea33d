#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12), then configures and
# builds the project in ./build. Safe to run again: it installs only what is
# missing and rebuilds only what changed.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"

packages=(
  cmake g++ make
  qt6-base-dev qt6-multimedia-dev libjpeg62-turbo-dev
  qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools
  xvfb xauth xdotool imagemagick
  dbus-x11 at-spi2-core python3-pyatspi orca
  fonts-liberation
  desktop-file-utils appstream dpkg-dev file lintian groff-base man-db
  # The Windows game: cross compilers, Qt's build, the installer, Wine.
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix ninja-build nasm nsis wine wine64
)

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
cmake --build "$build" -j "$(nproc)"
