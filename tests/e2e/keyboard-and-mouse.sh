#!/usr/bin/env bash
# The real program used with the keyboard and the mouse only (scripts/scripted-user.sh): a query
# of the test domain and its CSV export. The outcome is read from the screenshot (the list shows
# rows where it was empty) and from the CSV file, which the domain tests compare with what
# ldapsearch found. Runs inside the test domain's namespace (ctest under scripts/test.sh).
#   keyboard-and-mouse.sh QUORREX_EXE DOMAIN_TESTS_EXE
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,6p' "$0"; exit 0; fi
: "${BUILD_DIR:?BUILD_DIR names the build folder}"
source "$(dirname "$0")/../../scripts/lib.sh"
exe="$1" tests="$2"

if [ -z "${QUORREX_TEST_DOMAIN:-}" ]; then
    log "no test domain; run the tests through scripts/test.sh"
    exec "$ROOT/scripts/wine-run" "$tests" --gtest_filter='KeyboardAndMouse.*'
fi

out="$BUILD_DIR/test-domain/keyboard-and-mouse"
rm -rf "$out"
mkdir -p "$out"
QUORREX_USER_PASSWORD="$QUORREX_TEST_PASSWORD" "$ROOT/scripts/scripted-user.sh" "$exe" "$QUORREX_TEST_DOMAIN" \
    "$QUORREX_TEST_USER" "$out/result" "$out/screen.png"

# Rows were painted: the list band above the link (purple once clicked) holds many more dark
# (text) pixels than when the window opened with an empty list.
box="$(colour_box '#800080' "$out/screen.png")"
[ -n "$box" ] || { log "no visited CSV link in the screenshot"; exit 1; }
read -r link_width _ link_left link_top <<<"$box"
link_right=$((link_left + link_width))
band="500x200+$((link_right - 500))+$((link_top - 215))"
dark() { convert "$1" -crop "$band" -colorspace gray -threshold 50% -format '%[fx:int(w*h*(1-mean))]' info:; }
before="$(dark "$out/screen-start.png")" after="$(dark "$out/screen.png")"
log "dark pixels in the list: $before when the window opened, $after after the query"
if [ "$after" -le $((2 * before + 500)) ]; then
    log "the screenshot shows no rows in the list"
    exit 1
fi

QUORREX_TEST_SCRIPTED_CSV="$out/result.csv" exec "$ROOT/scripts/wine-run" "$tests" --gtest_filter='KeyboardAndMouse.*'
