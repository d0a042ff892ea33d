#!/usr/bin/env bash
# Builds everything (installing what it needs) and runs every test.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$root/tools/bootstrap.sh"
cd "$root/build"
ctest --output-on-failure -j 2
