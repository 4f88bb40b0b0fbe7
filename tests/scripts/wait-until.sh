#!/usr/bin/env bash
# The scripts' wait helper (scripts/lib.sh): it returns once the command succeeds, gives up at its
# deadline saying what it waited for, and tells a running process from an ended one.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
elapsed_ms() { echo $(((${EPOCHREALTIME//[!0-9]/} - $1) / 1000)); }

tries=0
third_try() { tries=$((tries + 1)); echo "output goes nowhere"; [ "$tries" -ge 3 ]; }
start=${EPOCHREALTIME//[!0-9]/}
wait_until 5 0.1 "a third try" third_try || fail "gave up although the third try succeeded"
[ "$tries" -eq 3 ] || fail "tried $tries times, not 3"
ms=$(elapsed_ms "$start")
[ "$ms" -ge 150 ] && [ "$ms" -lt 1500 ] || fail "three tries 0.1 s apart took $ms ms"

start=${EPOCHREALTIME//[!0-9]/}
status=0
said="$(wait_until 2 0.1 "what never comes" false 2>&1)" || status=$?
ms=$(elapsed_ms "$start")
[ "$status" -eq 1 ] || fail "a command that never succeeds gave status $status, not 1"
[ "$ms" -ge 2000 ] && [ "$ms" -lt 3000 ] || fail "the 2-s deadline came after $ms ms"
[[ $said == *"gave up waiting for what never comes after 2 s"* ]] || fail "it said \"$said\""

tries=0
spin() { tries=$((tries + 1)); false; }
wait_until 1 0 "nothing" spin 2>/dev/null || true
[ "$tries" -gt 100 ] || fail "interval 0 tried only $tries times in 1 s"

sleep 60 &
sleeper=$!
running "$sleeper" || fail "a sleeping process does not count as running"
kill "$sleeper"
wait_until 2 0.01 "the sleeper to end" ended "$sleeper" || fail "a killed process did not count as ended"
wait "$sleeper" 2>/dev/null || true

[ "$failures" -eq 0 ] || exit 1
echo "wait_until, running and ended work"
