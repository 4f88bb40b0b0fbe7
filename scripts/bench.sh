#!/usr/bin/env bash
# Benchmarks the result-list fill under Wine: SearchDirectory over a scripted directory of 10,000
# and 100,000 rows x 6 columns into the real list view, with the bare list-view fill of the same
# cells as the baseline of the same run. Prints figures; it is not a test and never fails on speed.
#   scripts/bench.sh
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,5p' "$0"; exit 0; fi
source "$(dirname "$0")/lib.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}"
configure_and_build default
trap stop_session EXIT
start_xvfb
ensure_prefix
start_wineserver
wine "$BUILD_DIR/bench/quorrex_bench.exe"
