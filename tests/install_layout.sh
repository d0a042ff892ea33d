# Shared by the tests of the install and of the Debian package: what an
# install puts under its prefix. Source it.

viltron_app_id=io.github.viltron.Viltron

# The files under the prefix, one relative path a line, sorted.
install_layout() {
  local size
  {
    echo bin/viltron
    echo "share/applications/$viltron_app_id.desktop"
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
