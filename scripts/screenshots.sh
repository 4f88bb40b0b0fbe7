#!/usr/bin/env bash
# Saves screenshots of the main window, the attribute chooser, the About box and the About box
# with the pointer over a link as PNG files in screenshots/ (not committed), from the program's
# real dialogs under Wine on a private Xvfb display.
#   scripts/screenshots.sh
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,5p' "$0"; exit 0; fi
source "$(dirname "$0")/lib.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}" imagemagick
configure_and_build default
trap stop_session EXIT
start_xvfb
ensure_prefix
start_wineserver
mkdir -p "$ROOT/screenshots"
for view in main chooser about hover; do
    wine "$BUILD_DIR/tools/quorrex_showcase.exe" "$view" 5 &
    pid=$!
    sleep 3
    import -window root -crop 1024x768+0+0 +repage "$ROOT/screenshots/$view.png"
    wait "$pid" || true
    log "saved screenshots/$view.png"
done
