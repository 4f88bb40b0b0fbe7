#!/usr/bin/env bash
# Installs what is needed, builds quorrex.exe and runs it under Wine. Uses your X display when
# DISPLAY is set; otherwise starts a private Xvfb display (headless: for screenshots only).
#   scripts/run.sh
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,4p' "$0"; exit 0; fi
source "$(dirname "$0")/lib.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}"
configure_and_build default
trap stop_session EXIT
if [ -z "${DISPLAY:-}" ]; then
    start_xvfb
    log "no DISPLAY: running on the headless display $DISPLAY"
fi
ensure_prefix
start_wineserver
wine "$BUILD_DIR/src/quorrex.exe"
