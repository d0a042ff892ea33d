#!/usr/bin/env bash
# Builds everything (installing what it needs) and runs every test. With
# VILTRON_WINDOWS=1 it then builds the Windows game and tests it under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$root/tools/bootstrap.sh"
(cd "$root/build" && ctest --output-on-failure -j 2)
if [ "${VILTRON_WINDOWS:-0}" = 1 ]; then
  "$root/tools/windows_build.sh"
fi
