# Shared by the tests of the install and of the Debian package: what an
# install puts under its prefix, and the frame of a test that checks it.
# Source it.

# The application id, from the build (CTest sets it).
viltron_app_id=${VILTRON_APP_ID:?the application id, set by CTest}

# The files under the prefix, one relative path a line, sorted, with the
# program in the folder BINDIR (bin when not given).
install_layout() {
  local size
  {
    echo "${1:-bin}/viltron"
    echo "share/applications/$viltron_app_id.desktop"
    echo share/man/man6/viltron.6.gz
    echo share/doc/viltron/copyright
    echo share/doc/viltron/changelog.gz
    echo "share/metainfo/$viltron_app_id.metainfo.xml"
    for size in 16 32 48 64 128 256; do
      echo "share/icons/hicolor/${size}x${size}/apps/$viltron_app_id.png"
    done
  } | LC_ALL=C sort
}

# The files below FOLDER, relative to it, sorted.
files_under() {
  (cd "$1" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
}

# Starts the test NAME, given the build folder: sets $build and $work, a
# private temporary folder removed at exit; fail MESSAGE ends the test.
layout_test() {
  layout_test_name=$1
  build=${2:?usage: $1.sh BUILD_FOLDER}
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
}

fail() {
  echo "$layout_test_name: FAIL: $*" >&2
  exit 1
}
