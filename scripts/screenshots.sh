#!/usr/bin/env bash
# Saves screenshots of the main window, the main window sorted by a column, the attribute chooser,
# the About box and the About box with the pointer over a link as PNG files in screenshots/ (not
# committed), from the program's real dialogs under Wine on a private Xvfb display.
#   scripts/screenshots.sh [--dpi N]
#     --dpi N  the display's DPI (96 by default; 144 is 150 %, 192 is 200 %): the files are then
#              named <view>-N.png
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,7p' "$0"; exit 0; fi
source "$(dirname "$0")/lib.sh"

dpi=96
if [ "${1:-}" = "--dpi" ]; then dpi="${2:-}"; shift 2 || true; fi
if ! [[ "$dpi" =~ ^[0-9]+$ ]] || [ "$dpi" -lt 96 ] || [ "$dpi" -gt 480 ]; then
    log "--dpi takes a number from 96 to 480"
    exit 2
fi
suffix=""
[ "$dpi" -ne 96 ] && suffix="-$dpi"

# Wine reads the DPI from the prefix as a program starts; the prefix goes back to 96 afterwards,
# pass or fail, for the tests that share it.
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
finish() {
    [ "$dpi" -ne 96 ] && [ -n "$WINESERVER_STARTED" ] && set_dpi 96
    stop_session
}

ensure_packages "${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}" imagemagick
configure_and_build default
trap finish EXIT
start_xvfb
ensure_prefix
start_wineserver
set_dpi "$dpi"
mkdir -p "$ROOT/screenshots"
for view in main sorted chooser about hover; do
    wine "$BUILD_DIR/tools/quorrex_showcase.exe" "$view" 5 &
    pid=$!
    sleep 3
    import -window root -crop 1024x768+0+0 +repage "$ROOT/screenshots/$view$suffix.png"
    wait "$pid" || true
    log "saved screenshots/$view$suffix.png"
done
