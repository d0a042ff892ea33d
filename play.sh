#!/usr/bin/env bash
# Builds the game (installing what it needs, and nothing the tests need) and
# starts it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
"$root/tools/bootstrap.sh" play
exec "$root/build/viltron"
