#!/usr/bin/env bash
# Runs a command with a private Xvfb display and the project's persistent wineserver started first
# and stopped afterwards, pass or fail. Inside the test domain's namespace this gives Wine that
# namespace's network (the wineserver makes Wine's sockets).
#   scripts/wine-session.sh [--own-display] [--cd DIR] command [arguments...]
#     --own-display  use the display in DISPLAY instead of a private one
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,6p' "$0"; exit 0; fi
source "$(dirname "$0")/lib.sh"

own_display=""
if [ "${1:-}" = "--own-display" ]; then own_display=1; shift; fi
dir=""
if [ "${1:-}" = "--cd" ]; then dir="$2"; shift 2; fi
[ $# -gt 0 ] || { log "no command given"; exit 2; }
trap stop_session EXIT
trap 'exit 130' INT TERM
[ -n "$own_display" ] || start_xvfb
ensure_prefix
start_wineserver
[ -n "$dir" ] && cd "$dir"
"$@"
