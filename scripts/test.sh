#!/usr/bin/env bash
# Installs what the build and tests need, builds quorrex.exe and the tests, starts the test domain
# (a Samba AD controller in a network namespace of its own) and runs every test under Wine on a
# private Xvfb display inside that namespace. Stops what it started, pass or fail.
#   scripts/test.sh [--preset ci] [ctest arguments...]
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,5p' "$0"; exit 0; fi
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/domain.sh"

# CI builds with warnings as errors.
preset=default
[ "${CI:-}" = "true" ] && preset=ci
if [ "${1:-}" = "--preset" ]; then preset="$2"; shift 2; fi

ensure_packages "${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}"
# Build before Wine starts: with the wineserver already up during a fresh build, every test
# process took 1.3 s instead of 0.15 s (measured here).
configure_and_build "$preset"
# A volume too small for a large CSV file, for the test of a save onto a full disk. It is mounted
# before the wineserver starts: Wine's server opens files in the mount namespace it started in and
# never sees a mount made later. Without the rights to mount, that one test is skipped.
SMALL_VOLUME="$BUILD_DIR/small-volume"
mount_small_volume() {
    mkdir -p "$SMALL_VOLUME"
    mountpoint -q "$SMALL_VOLUME" && as_root umount "$SMALL_VOLUME" # left by a run killed outright
    if as_root mount -t tmpfs -o size=64k,mode=1777 quorrex-small-volume "$SMALL_VOLUME"; then
        export QUORREX_TEST_SMALL_VOLUME="Z:${SMALL_VOLUME//\//\\}"
    else
        log "no small volume could be mounted; the full-disk test is skipped"
    fi
}
unmount_small_volume() {
    if mountpoint -q "$SMALL_VOLUME"; then as_root umount "$SMALL_VOLUME" || true; fi
}
trap 'unmount_small_volume; stop_domain' EXIT
trap 'exit 130' INT TERM
mount_small_volume
start_domain
# Xvfb, the wineserver and ctest all run inside the namespace: Wine's sockets are made by the
# wineserver, so its namespace is the network the program sees.
# One test at a time: tests that check the keyboard focus must not race another test's window
# for activation.
in_domain_ns "$ROOT/scripts/wine-session.sh" --cd "$BUILD_DIR" ctest --output-on-failure "$@"
