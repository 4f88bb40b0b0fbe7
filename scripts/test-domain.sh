#!/usr/bin/env bash
# Starts the test domain (a Samba AD controller for QUORREX.TEST in a network namespace of its own,
# provisioned and seeded on first use and reused while its seed stays the same), runs a command
# inside that namespace (default: a shell), then stops everything it started, pass or fail.
#   scripts/test-domain.sh [--wine] [--reseed] [command [arguments...]]
#     --wine    also start Xvfb and the wineserver inside the namespace, e.g. for
#               scripts/test-domain.sh --wine wine build/src/quorrex.exe
#     --reseed  provision and seed the domain afresh
# Needs root, or sudo for the namespace and the controller.
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,9p' "$0"; exit 0; fi
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/domain.sh"

wine=""
while [ $# -gt 0 ]; do
    case "$1" in
    --wine) wine=1; shift ;;
    --reseed) as_root rm -rf "$DOMAIN_TARGET"; shift ;;
    *) break ;;
    esac
done
[ $# -gt 0 ] || set -- "${SHELL:-bash}"

[ -n "$wine" ] && ensure_packages "${WINE_PACKAGES[@]}"
trap stop_domain EXIT
trap 'exit 130' INT TERM
start_domain
log "domain $DOMAIN_REALM up in namespace $DOMAIN_NS (controller $DOMAIN_HOST.$DOMAIN_DNS at $DOMAIN_IP)"
if [ -n "$wine" ]; then
    in_domain_ns "$ROOT/scripts/wine-session.sh" "$@"
else
    in_domain_ns "$@"
fi
