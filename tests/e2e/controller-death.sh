#!/usr/bin/env bash
# Runs one domain test whose controller dies at a chosen moment, and plays the controller's part:
# waits for the test's word that Generate was pressed, kills the controller when the moment comes
# (samba, and with it every process of its PID namespace), writes what it saw, and once the test says
# the run has ended starts the controller again for the rest of the test and the tests after it.
# Runs inside the test domain's namespace (ctest under scripts/test.sh).
#   controller-death.sh mid-search|at-bind TEST_EXE GTEST_FILTER
#     mid-search: while the controller sends the search results (the namespace's loopback is
#                 slowed so that sending them takes seconds)
#     at-bind:    as soon as the program connects to the controller's LDAP port
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,10p' "$0"; exit 0; fi
: "${BUILD_DIR:?BUILD_DIR names the build folder}"
source "$(dirname "$0")/../../scripts/lib.sh"
source "$ROOT/scripts/domain.sh"
moment="$1" exe="$2" filter="$3"

# Anywhere else the loopback, the socket buffers and the samba slowed or killed would not be ours:
# the test then runs on its own and skips itself.
if [ "$(as_root ip netns identify "$$" 2>/dev/null)" != "$DOMAIN_NS" ]; then
    log "not inside the test domain's namespace; run the tests through scripts/test.sh"
    exec "$ROOT/scripts/wine-run" "$exe" --gtest_filter="$filter"
fi

signals="$DOMAIN_DIR/death"
rm -rf "$signals"
mkdir -p "$signals"
export QUORREX_TEST_DEATH_DIR="$signals"

slowed=""
original_wmem=""
test_pid=""
restore_network() {
    if [ -n "$slowed" ]; then
        as_root tc qdisc del dev lo root 2>/dev/null || true
        as_root sysctl -qw net.ipv4.tcp_wmem="$original_wmem" || true
        slowed=""
    fi
}
finish() {
    restore_network
    if ! running "$(samba_pid)"; then
        start_samba || log "the controller did not start again"
    fi
    if [ -n "$test_pid" ] && kill -0 "$test_pid" 2>/dev/null; then kill "$test_pid" 2>/dev/null || true; fi
}
trap finish EXIT

# The controller's established LDAP connections, one line each: the client's port, the bytes the
# controller still has to send, and the bytes the client has received.
ldap_connections() {
    ss -tinH state established '( sport = :389 )' | awk '
        function flush() { if (port != "") print port, queue, acked }
        /^[0-9]/ { flush(); n = split($4, peer, ":"); port = peer[n]; queue = $2; acked = 0; next }
        { for (i = 1; i <= NF; i++) if ($i ~ /^bytes_acked:/) { split($i, b, ":"); acked = b[2] } }
        END { flush() }'
}

if [ "$moment" = mid-search ]; then
    # The results of the search (about 1.4 MB) then take about 3 s to send. The burst must exceed
    # the loopback's 64 KB packets, or nothing larger passes at all.
    as_root tc qdisc add dev lo root tbf rate 4mbit burst 128kb latency 10s
    slowed=1
    # A small send buffer keeps most of the results inside the controller, where its death loses
    # them; the kernel would otherwise still deliver a buffered megabyte after the kill.
    original_wmem="$(as_root sysctl -n net.ipv4.tcp_wmem)"
    as_root sysctl -qw net.ipv4.tcp_wmem="4096 16384 65536"
fi

# Looked up before the moment, so that the kill follows it within a millisecond.
controller="$(samba_pid)"

# The controller keeps connections of its own to its directory; only new ones are the program's.
declare -A before=()
while read -r port _; do before[$port]=1; done < <(ldap_connections)

"$ROOT/scripts/wine-run" "$exe" --gtest_filter="$filter" &
test_pid=$!

test_ended() { ! kill -0 "$test_pid" 2>/dev/null; }
pressed_or_test_ended() { [ -f "$signals/generate-pressed" ] || test_ended; }
run_ended_or_test_ended() { [ -f "$signals/run-ended" ] || test_ended; }

# Whether the moment has come on a connection of the program's; sets seen to what was seen then.
moment_came() {
    local port queue delivered
    while read -r port queue delivered; do
        [ -n "${before[$port]:-}" ] && continue
        if [ "$moment" = at-bind ]; then
            seen="at-bind: the program had just connected"
        # Every bind first reads the schema (about 180 KB); only the search sends more.
        elif [ "$delivered" -ge 400000 ] && [ "$queue" -ge 32768 ]; then
            seen="mid-search: the controller was sending results ($delivered bytes sent, $queue queued)"
        fi
    done < <(ldap_connections)
    [ -n "$seen" ]
}

wait_until 60 0.01 "the test to press Generate" pressed_or_test_ended || true
seen=""
if [ -f "$signals/generate-pressed" ]; then
    wait_until 30 0 "the moment to kill the controller ($moment)" moment_came || true
else
    log "the test never pressed Generate"
fi
if [ -n "$seen" ]; then
    kill_samba "$controller"
    log "killed the controller, $seen"
else
    seen="not killed: the moment did not come"
fi
echo "$seen" >"$signals/controller-killed"

restore_network
# Only once the run has ended: a controller back too early would answer the rest of that run.
wait_until 120 0.05 "the test's word that the run has ended" run_ended_or_test_ended || true
if ! running "$(samba_pid)"; then
    started=$SECONDS
    # Every login the controller takes from now on goes to its log, for the report of a failure.
    DOMAIN_SAMBA_LOG_LEVEL="1 auth_audit:3" start_samba
    log "the controller answers again after $((SECONDS - started)) s"
fi
touch "$signals/controller-restarted"

status=0
wait "$test_pid" || status=$?
test_pid=""
if [ "$status" -ne 0 ]; then
    log "the test failed; the logins the controller took since its restart (time, user, status):"
    sed -n 's/^Auth: .* user \(.*\) at \[\([^]]*\)\] with .* status \[\([^]]*\)\].*/\2 \1 \3/p' \
        "$DOMAIN_DIR/samba.out" | tail -20 >&2 || true
    log "what else it said last:"
    grep -v '^Auth: ' "$DOMAIN_DIR/samba.out" | tail -15 >&2 || true
fi
exit "$status"
