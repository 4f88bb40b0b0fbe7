#!/usr/bin/env bash
# Benchmarks under Wine: the result-list fill (SearchDirectory over a scripted directory of 10,000
# and 100,000 rows x 6 columns into the real list view, against the bare list-view fill of the same
# cells), the sort by a header click and the copy of every row of 10,000 and 100,000 rows x 6 columns
# (each sort against the list view's own sort into the same order, the copy against the same bare
# fill), then the CSV export of 10,000 and 100,000 rows x 6 and x 17 columns (against reading the
# same cells without writing them), with the working set before and during the export. Prints
# figures; it is not a test and never fails on speed. The same against a real directory (Generate
# against the bare ADSI search and ldapsearch on test domains of 1,000 and more users) is
# scripts/bench-directory.sh; --directory runs that instead, with the arguments that follow.
#   scripts/bench.sh [--directory [bench-directory.sh arguments...]]
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,10p' "$0"; exit 0; fi
if [ "${1:-}" = "--directory" ]; then shift; exec "$(dirname "$0")/bench-directory.sh" "$@"; fi
source "$(dirname "$0")/lib.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}"
configure_and_build default
trap stop_session EXIT
start_xvfb
ensure_prefix
start_wineserver
echo "== result-list fill"
wine "$BUILD_DIR/bench/quorrex_bench.exe"
echo "== result-list sort and copy"
wine "$BUILD_DIR/bench/quorrex_list_bench.exe"
echo "== CSV export"
wine "$BUILD_DIR/bench/quorrex_export_bench.exe"
