#!/usr/bin/env bash
# Builds everything (installing what it needs) and runs every test: the Linux
# game, then the Windows game cross-built and tested under Wine (building its
# toolchain first on a machine that lacks it). VILTRON_WINDOWS=0 leaves the
# Windows part out.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
t0=$(date +%s)
"$root/tools/bootstrap.sh" test
(cd "$root/build" && ctest --output-on-failure -j 2)
echo "test.sh: Linux build and tests: $(($(date +%s) - t0)) s"
if [ "${VILTRON_WINDOWS:-1}" != 0 ]; then
  "$root/tools/windows_build.sh"
fi
echo "test.sh: all done in $(($(date +%s) - t0)) s"
