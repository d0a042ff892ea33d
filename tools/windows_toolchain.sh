#!/usr/bin/env bash
# Builds, once per machine, what the Windows game is made with: a static Qt
# (Core, Gui, Widgets, Test; the windows and offscreen platform plugins) and a
# static libjpeg-turbo for 64-bit Windows, cross-built with MinGW-w64 (posix
# threads) from the Debian source packages of the very versions the Linux build
# uses. The result lives in a cache folder named by those versions, outside the
# checkout, and is reused after that.
#
#   tools/windows_toolchain.sh           build it if missing; print its folder
#   tools/windows_toolchain.sh --prefix  only print the folder
#
# The folder holds toolchain.cmake, to be given to CMake as
# CMAKE_TOOLCHAIN_FILE. Jobs: VILTRON_JOBS (default 2).
set -euo pipefail

version_of() { dpkg-query -W -f='${Version}' "$1"; }
qt_version=$(version_of qt6-base-dev)
jpeg_version=$(version_of libjpeg62-turbo-dev)
gcc_version=$(x86_64-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null || echo none)
strip_epoch() { echo "${1#*:}"; }
# The recipe's own number: raised whenever the options below change.
recipe=2
name="viltron-mingw64-r$recipe-qt6-base-$(strip_epoch "$qt_version")-libjpeg-turbo-$(strip_epoch "$jpeg_version")-gcc-$gcc_version"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/$name"

if [ "${1:-}" = "--prefix" ]; then
  echo "$cache"
  exit 0
fi
if [ "$gcc_version" = none ]; then
  echo "windows_toolchain: x86_64-w64-mingw32-g++-posix is missing (g++-mingw-w64-x86-64-posix)" >&2
  exit 1
fi

mkdir -p "$(dirname "$cache")"
exec 9>"$cache.lock"
flock 9
if [ -f "$cache/complete" ]; then
  echo "$cache"
  exit 0
fi

jobs=${VILTRON_JOBS:-2}
work="$cache/work"
mkdir -p "$work"
log="$cache/build.log"
started=$(date +%s)

# One line per stage with its time; the details go to the log. A stage that
# ended well is not repeated when an interrupted build is started again.
source "$(dirname "${BASH_SOURCE[0]}")/stage.sh"
stage_name="windows toolchain" stage_log=$log stage_marks=$work

# A private apt configuration with a source index for the system's own Debian
# mirror: the machine's package sources stay as they are.
apt_dir="$work/apt"
make_apt_config() {
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" \
    "$apt_dir/sources.list.d" "$apt_dir/preferences.d"
  local mirror codename
  mirror=$(grep -hoE 'https?://[^ ]*/debian/?$' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -1 || true)
  mirror=${mirror:-http://deb.debian.org/debian}
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  cat >"$apt_dir/sources.list.d/debian-src.sources" <<EOF
Types: deb-src
URIs: ${mirror%/}
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: ${mirror%/debian*}/debian-security
Suites: $codename-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  : >"$apt_dir/sources.list"
  cat >"$apt_dir/apt.conf" <<EOF
Dir::Etc::sourcelist "$apt_dir/sources.list";
Dir::Etc::sourceparts "$apt_dir/sources.list.d";
Dir::Etc::preferencesparts "$apt_dir/preferences.d";
Dir::State::Lists "$apt_dir/lists";
Dir::Cache "$apt_dir/cache";
APT::Sandbox::User "$(id -un)";
EOF
  APT_CONFIG="$apt_dir/apt.conf" apt-get update -q
}

fetch_source() {
  local package=$1 version=$2
  rm -rf "${work:?}/$package"
  mkdir -p "$work/$package"
  (cd "$work/$package" && APT_CONFIG="$apt_dir/apt.conf" apt-get source -q "$package=$version")
}

source_dir() {
  find "$work/$1" -mindepth 1 -maxdepth 1 -type d | head -1
}

write_toolchain_file() {
  cat >"$cache/toolchain.cmake" <<EOF
# 64-bit Windows with MinGW-w64 (posix threads), everything linked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)
get_filename_component(_viltron_toolchain "\${CMAKE_CURRENT_LIST_DIR}" ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "\${_viltron_toolchain}/qt" "\${_viltron_toolchain}/jpeg")
set(CMAKE_PREFIX_PATH "\${_viltron_toolchain}/qt" "\${_viltron_toolchain}/jpeg")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Qt's tools (moc, rcc, uic, lrelease) are the Linux ones.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
EOF
}

build_jpeg() {
  local src
  src=$(source_dir libjpeg-turbo)
  rm -rf "${work:?}/jpeg-build" "${cache:?}/jpeg"
  cmake -S "$src" -B "$work/jpeg-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$cache/toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$cache/jpeg" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_SIMD=ON -DREQUIRE_SIMD=ON
  cmake --build "$work/jpeg-build" -j "$jobs"
  cmake --install "$work/jpeg-build"
}

# Direct2D stays on: without it Qt 6.4 leaves out its DirectWrite font
# database, which the windows platform plugin still links against.
configure_qt() {
  local src
  src=$(source_dir qt6-base)
  rm -rf "${work:?}/qt-build"
  cmake -S "$src" -B "$work/qt-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$cache/toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$cache/qt" \
    -DBUILD_SHARED_LIBS=OFF \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_static_runtime=ON \
    -DFEATURE_tabletevent=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
}

build_qt() { cmake --build "$work/qt-build" -j "$jobs"; }
install_qt() { cmake --install "$work/qt-build"; }

stage "source index" make_apt_config
stage "qt6-base $qt_version source" fetch_source qt6-base "$qt_version"
stage "libjpeg-turbo $jpeg_version source" fetch_source libjpeg-turbo "$jpeg_version"
write_toolchain_file
stage "libjpeg-turbo build" build_jpeg
stage "Qt configure" configure_qt
stage "Qt build" build_qt
stage "Qt install" install_qt
rm -rf "$work"
touch "$cache/complete"
echo "windows toolchain: ready in $(($(date +%s) - started)) s" >&2
echo "$cache"
