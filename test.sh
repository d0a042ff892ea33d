#!/usr/bin/env bash
# Builds everything (installing what it needs) and runs every test: the Linux
# game, then the Windows game under Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$root/tools/bootstrap.sh"
(cd "$root/build" && ctest --output-on-failure -j 2)
"$root/tools/windows_build.sh"
