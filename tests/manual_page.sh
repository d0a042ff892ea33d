#!/usr/bin/env bash
# Checks the manual page as man renders it: groff finds nothing to warn about,
# the page has the sections a reader looks for, and its ENVIRONMENT section
# names every VILTRON_ variable the program reads.
#
# Usage: manual_page.sh SOURCE_FOLDER PAGE
set -u
source_dir=${1:?usage: manual_page.sh SOURCE_FOLDER PAGE}
page=${2:?usage: manual_page.sh SOURCE_FOLDER PAGE}
fail() { echo "manual_page: FAIL: $*" >&2; exit 1; }

warnings=$(groff -k -ww -z -man -Tutf8 "$page" 2>&1)
[ -z "$warnings" ] || fail "groff warns about $page: $warnings"

for section in NAME SYNOPSIS DESCRIPTION FILES ENVIRONMENT 'SEE ALSO'; do
  grep -qE "^\.SH \"?$section\"?\$" "$page" || fail "$page has no section $section"
done

environment=$(sed -n '/^\.SH ENVIRONMENT/,/^\.SH/p' "$page")
read_names=$(grep -rhoE --include='*.cpp' --include='*.h' \
               '(getenv|qgetenv|qEnvironmentVariable[A-Za-z]*)\("VILTRON_[A-Z_]+"' \
               "$source_dir/board" "$source_dir/main" "$source_dir/windows" \
               "$source_dir/platform" "$source_dir/main.cpp" |
             grep -oE 'VILTRON_[A-Z_]+' | sort -u)
[ -n "$read_names" ] || fail "found no VILTRON_ variable read in $source_dir"
for name in $read_names; do
  grep -qx "\.B $name" <<<"$environment" || fail "the ENVIRONMENT section does not describe $name"
done

echo "manual_page: clean, environment: $(echo $read_names)"
