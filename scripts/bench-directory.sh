#!/usr/bin/env bash
# Benchmark against a real directory: for test domains of 1,000 and 10,000 bulk users (more on
# request), with 6 and with 17 columns, the time from pressing "Generate" to the filled and painted
# list, against two baselines run interleaved with it on the same controller: the bare ADSI search
# (same lookup, bind, preferences, filter and "*", GetColumn/FreeColumn of the shown attributes per
# row, no window) and ldapsearch -E pr=1000/noprompt of the same filter and all attributes (simple
# bind over LDAPS). Also the CSV export time and the peak working sets, Generate at 17 columns
# against its floor (the bare search plus a bare fill of the list with the same cells); then
# profiled runs saying where Generate's time goes. Prints every figure, the medians and ratios;
# never fails on speed.
#   scripts/bench-directory.sh [--users 1000,10000[,100000]] [--rounds N] [--profile-runs N]
#     --users         bulk users of each test domain (default 1000,10000)
#     --rounds        interleaved rounds per domain (default 5)
#     --profile-runs  profiled runs of Generate and of the bare search per column count (default 3)
# Each domain is provisioned and seeded on first use and kept in build/bench-domain-<users>; later
# runs start it in seconds. Seeding slows as the directory grows: about 4 minutes for 10,000 users
# here, over two hours for 100,000.
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,17p' "$0"; exit 0; fi
source "$(dirname "$0")/lib.sh"

COLUMN_COUNTS=(6 17)
BENCH_EXE="$BUILD_DIR/bench/quorrex_dc_bench.exe"

# --- Inside the domain's namespace, with Xvfb and the wineserver up: the measurements.

# One ldapsearch of the filter with all attributes; prints its line and leaves its rows counted.
run_ldapsearch() {
    local ip="$1" user="$2" base="$3" filter="$4" out="$5" start end rows
    start=$(date +%s.%N)
    env LDAPTLS_REQCERT=never ldapsearch -LLL -o ldif-wrap=no -x -H "ldaps://$ip" -D "$user" \
        -w "$QUORREX_BENCH_PASSWORD" -E pr=1000/noprompt -b "$base" -s sub "$filter" '*' >"$out"
    end=$(date +%s.%N)
    rows=$(grep -c '^dn::\? ' "$out" || true)
    awk -v s="$start" -v e="$end" -v r="$rows" 'BEGIN { printf "ldapsearch rows=%d seconds=%.3f\n", r, e - s }'
}

# One run of the benchmark program; its message boxes (the export's note on characters an 8-bit
# file cannot hold is expected: the seed has non-Latin names) go to the log.
run_exe() {
    local log="$1" line rc=0 errors
    shift
    errors="$(mktemp)"
    line="$(wine "$BENCH_EXE" "$@" 2>"$errors")" || rc=$?
    cat "$errors" >>"$log"
    if [ $rc -ne 0 ]; then
        line="$1 $line failed=$rc"
        log "quorrex_dc_bench.exe $* ended with $rc; it said: $(tr '\n' ' ' <"$errors")"
    fi
    rm -f "$errors"
    printf '%s\n' "$line"
}

measure() {
    local users="$1" rounds="$2" profile_runs="$3" domain="$4" user="$5" ip="$6" base="$7" filter="$8"
    local raw="$9" log="${10}" ldif="${11}"
    local tools=(generate adsi ldapsearch) r c t i line order

    # Wine closes its desktop when the last windowed process ends and opens it again for the next;
    # a window made while that happens fails with error 1400, and so did every later run of the
    # same session (seen here at 10,000 users). A process that stays on the desktop avoids it.
    wine "$BENCH_EXE" hold </dev/null >/dev/null 2>&1 &
    HOLDER_PID=$!
    trap 'kill "$HOLDER_PID" 2>/dev/null || true' EXIT

    log "$users users: warm-up (not counted): one ldapsearch, one bare search, one Generate"
    run_ldapsearch "$ip" "$user" "$base" "$filter" "$ldif" >/dev/null
    run_exe "$log" adsi "$domain" "$user" 17 "$filter" >/dev/null
    run_exe "$log" generate "$domain" "$user" 6 "$filter" >/dev/null

    for ((r = 1; r <= rounds; r++)); do
        # The order turns every round, so that no tool always follows the same other one.
        order=("${tools[@]:$(((r - 1) % 3))}" "${tools[@]:0:$(((r - 1) % 3))}")
        for c in "${COLUMN_COUNTS[@]}"; do
            for t in "${order[@]}"; do
                if [ "$t" = ldapsearch ]; then
                    line="$(run_ldapsearch "$ip" "$user" "$base" "$filter" "$ldif")"
                    line="${line/ldapsearch /ldapsearch columns=$c }"
                else
                    line="$(run_exe "$log" "$t" "$domain" "$user" "$c" "$filter")"
                    [[ $line == *columns=* ]] || line="$t columns=$c ${line#"$t "}"
                fi
                printf 'users=%s round=%s %s\n' "$users" "$r" "$line" | tee -a "$raw"
            done
        done
    done

    for ((i = 1; i <= profile_runs; i++)); do
        for c in "${COLUMN_COUNTS[@]}"; do
            for t in generate adsi; do
                run_exe "$log" --profile "$t" "$domain" "$user" "$c" "$filter" |
                    { grep '^profile ' || true; } | sed "s/^/users=$users round=p$i columns=$c /" | tee -a "$raw"
            done
        done
    done
    rm -f "$ldif"
}

if [ "${1:-}" = "--measure" ]; then
    shift
    measure "$@"
    exit 0
fi

# --- One domain: started with its own user count and cache folder, measured, stopped.

if [ "${1:-}" = "--domain" ]; then
    users="$2" rounds="$3" profile_runs="$4" raw="$5"
    DOMAIN_BULK_USERS="$users"
    DOMAIN_BULK_VALUES=full
    DOMAIN_DIR="$BUILD_DIR/bench-domain-$users"
    source "$ROOT/scripts/domain.sh"
    trap stop_domain EXIT
    trap 'exit 130' INT TERM
    if [ ! -d "$DOMAIN_TARGET" ]; then
        log "provisioning and seeding a domain of $users bulk users (once; see --help for how long)"
    fi
    start_domain
    export QUORREX_BENCH_PASSWORD="$DOMAIN_PASSWORD"
    in_domain_ns "$ROOT/scripts/wine-session.sh" "$0" --measure "$users" "$rounds" "$profile_runs" "$DOMAIN_DNS" \
        "$DOMAIN_ADMIN" "$DOMAIN_IP" "$DOMAIN_BASE" "$DOMAIN_USER_FILTER" "$raw" "$DOMAIN_DIR/bench-messages.log" \
        "$DOMAIN_DIR/ldapsearch.ldif"
    exit 0
fi

# --- The whole benchmark.

user_counts="1000,10000"
rounds=5
profile_runs=3
while [ $# -gt 0 ]; do
    case "$1" in
    --users) user_counts="$2"; shift 2 ;;
    --rounds) rounds="$2"; shift 2 ;;
    --profile-runs) profile_runs="$2"; shift 2 ;;
    *) log "unknown argument: $1 (see --help)"; exit 2 ;;
    esac
done

# The domain's own packages (samba, ldap-utils) come with start_domain; python3 sums up.
ensure_packages "${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}" python3
configure_and_build default >/dev/null
raw="$BUILD_DIR/bench-directory.txt"
: >"$raw"
IFS=, read -r -a sizes <<<"$user_counts"
for users in "${sizes[@]}"; do
    "$0" --domain "$users" "$rounds" "$profile_runs" "$raw" || log "the domain of $users users ended with an error"
done

"$ROOT/scripts/bench-summary.py" "$raw" "$rounds" "${sizes[@]}"
