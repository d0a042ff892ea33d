#!/usr/bin/env bash
# Builds the Windows game in ./build-windows: viltron.exe and its installer
# Viltron-<version>-win64.exe, then runs its tests under Wine. Builds the
# toolchain first (tools/windows_toolchain.sh) when this machine has none.
#
#   tools/windows_build.sh              everything, with the tests
#   tools/windows_build.sh --installer  only the .exe and the installer
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-windows"
jobs=${VILTRON_JOBS:-2}

source "$root/tools/stage.sh"
stage_name="windows build"

configure() {
  mkdir -p "$build"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain/toolchain.cmake" >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log"; return 1; }
}

t0=$(date +%s)
toolchain=$("$root/tools/windows_toolchain.sh")
echo "windows build: toolchain: $(($(date +%s) - t0)) s" >&2
stage configure configure
stage build cmake --build "$build" -j "$jobs"
stage installer cmake --build "$build" --target package
if [ "${1:-}" != "--installer" ]; then
  stage tests ctest --test-dir "$build" --output-on-failure -j "$jobs"
fi
