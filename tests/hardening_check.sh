#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed program
# with hardening-check (devscripts): position-independent, stack protector,
# checked libc functions, read-only relocations, immediate binding. Any check
# that fails, or that cannot tell, fails the test, except the checked
# functions when the program calls no libc function that has a checked form.
# Not the control-flow mark: Debian 12's C start-up files (Scrt1.o, crti.o)
# lack it, so the linker leaves it off every program linked there, Debian's
# own included.
#
# Usage: hardening_check.sh BUILD_FOLDER
set -u
source "$(dirname "${BASH_SOURCE[0]}")/install_layout.sh"
layout_test hardening_check "$@"

command -v hardening-check >/dev/null || fail "hardening-check is missing (package devscripts)"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; }
program=$prefix/bin/viltron
hardening-check --nocfprotection "$program" >"$work/report" 2>&1
status=$?
cat "$work/report"
[ $status -eq 0 ] || fail "hardening-check fails the installed program"
for check in "Position Independent Executable" "Stack protected" "Read-only relocations" \
             "Immediate binding"; do
  grep -q "^ $check: yes" "$work/report" || fail "$check is not reported as yes"
done
grep -Eq "^ Fortify Source functions: (yes|unknown, no protectable libc functions used)" \
  "$work/report" || fail "the libc functions are not checked"
echo "hardening_check: $program passes"
