#!/usr/bin/env bash
# Installs what is needed, builds quorrex.exe, starts the demo domain (a Samba AD controller for
# quorrex.test with sample users, in a network namespace of its own) and runs Quorrex under Wine
# against it, printing the domain, user and password to type.
# With a display (DISPLAY set) Quorrex opens on it. Without one, a scripted user runs a query and a
# CSV export on a private display, and the screenshot and the CSV file are saved in build/demo/.
# Stops everything it started when the program ends. Needs root, or sudo.
#   scripts/run.sh
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,8p' "$0"; exit 0; fi
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/domain.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}"
configure_and_build default
trap stop_domain EXIT
trap 'exit 130' INT TERM
start_domain
exe="$BUILD_DIR/src/quorrex.exe"

cat <<INFO

  Quorrex demo domain is up (controller $DOMAIN_HOST.$DOMAIN_DNS, $(grep -c '^dn: ' "$DOMAIN_EXPECTED/users.ldif") users).
  Type into Quorrex:
    Domain Name : $DOMAIN_DNS
    User        : $DOMAIN_ADMIN
    Password    : $DOMAIN_PASSWORD
  then press Generate.

INFO

# The demo runs inside the domain's namespace, where the display must still be reachable (a local
# X server's socket file is; a display forwarded over the network is not).
if [ -n "${DISPLAY:-}" ] && ! in_domain_ns xdpyinfo >/dev/null 2>&1; then
    log "the display $DISPLAY cannot be reached from the demo's network; running without it"
    unset DISPLAY
fi

if [ -n "${DISPLAY:-}" ]; then
    log "opening Quorrex on $DISPLAY; close it to stop the demo"
    in_domain_ns "$ROOT/scripts/wine-session.sh" --own-display wine "$exe"
    exit 0
fi

demo="$BUILD_DIR/demo"
mkdir -p "$demo"
log "no display: a scripted user runs a query and a CSV export on a private display"
QUORREX_USER_PASSWORD="$DOMAIN_PASSWORD" in_domain_ns "$ROOT/scripts/wine-session.sh" \
    "$ROOT/scripts/scripted-user.sh" "$exe" "$DOMAIN_DNS" "$DOMAIN_ADMIN" "$demo/quorrex-demo" "$demo/quorrex-demo.png"
rm -f "$demo/quorrex-demo-start.png"
cat <<DONE

  The demo ran: Quorrex listed the users of $DOMAIN_DNS and saved them.
    screenshot: $demo/quorrex-demo.png
    CSV file:   $demo/quorrex-demo.csv ($(($(wc -l <"$demo/quorrex-demo.csv") - 3)) rows)

DONE
