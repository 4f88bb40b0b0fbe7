#!/usr/bin/env bash
# The header check (exe-headers.sh) on two probes: the one linked as the shipped program is passes,
# the one built with every fault fails and names each of them.
#   exe-headers-test.sh OBJDUMP HARDENED_PROBE FAULTY_PROBE BUILD_FOLDER
set -euo pipefail
check="$(dirname "$0")/exe-headers.sh"
objdump="$1" hardened="$2" faulty="$3" folder="$4"
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

said="$(bash "$check" "$objdump" "$hardened" "$folder" 2>&1)" || fail "the hardened probe was refused: $said"

status=0
said="$(bash "$check" "$objdump" "$faulty" "$folder" 2>&1)" || status=$?
[ "$status" -eq 1 ] || fail "the faulty probe gave status $status, not 1"
while IFS= read -r expected; do
    [[ $said == *"$expected"* ]] || fail "no \"$expected\" among:
$said"
done <<'FAULTS'
DllCharacteristics lack HIGH_ENTROPY_VA
DllCharacteristics lack DYNAMIC_BASE
DllCharacteristics lack NX_COMPAT
DllCharacteristics lack TERMINAL_SERVICE_AWARE
the file holds a symbol table
.debug_info
the file holds the build machine's path
absolute paths of a build machine: /
imports netapi32.dll
imports comctl32.dll
does not call SetDefaultDllDirectories
FAULTS

[ "$failures" -eq 0 ] || exit 1
echo "the check passed the hardened probe and named each fault of the other"
