#!/usr/bin/env bash
# Reads the security flags of a Windows program back from its PE header
# (objdump -p, DllCharacteristics) and fails unless it may be loaded at a
# random address (DYNAMIC_BASE) anywhere in the 64-bit space
# (HIGH_ENTROPY_VA), with its data not executable (NX_COMPAT).
#
# Usage: pe_security_flags.sh OBJDUMP PROGRAM.exe
set -u
objdump=${1:?usage: pe_security_flags.sh OBJDUMP PROGRAM.exe}
program=${2:?usage: pe_security_flags.sh OBJDUMP PROGRAM.exe}
fail() {
  echo "pe_security_flags: FAIL: $*" >&2
  exit 1
}

header=$("$objdump" -p "$program") || fail "$objdump cannot read $program"
value=$(awk '$1 == "DllCharacteristics" { print $2; exit }' <<<"$header")
[[ $value =~ ^[0-9a-fA-F]+$ ]] || fail "$program has no DllCharacteristics in its header"
flags=$((16#$value))
for flag in DYNAMIC_BASE:0x40 HIGH_ENTROPY_VA:0x20 NX_COMPAT:0x100; do
  (( flags & ${flag#*:} )) || fail "$program lacks ${flag%%:*} (DllCharacteristics 0x$value)"
done
echo "pe_security_flags: $program: DllCharacteristics 0x$value"
