#!/usr/bin/env bash
# Uses Quorrex the way a person does, with the keyboard and the mouse only (xdotool on the X
# display that Wine draws on): types the domain, the user and the password, presses "Generate",
# clicks "G e n e r a t e  CSV", saves the file, takes a screenshot of the filled window and
# closes the program. Needs DISPLAY, WINEPREFIX and a running wineserver (scripts/wine-session.sh);
# the password comes from QUORREX_USER_PASSWORD, never from the command line.
#   scripts/scripted-user.sh EXE DOMAIN USER CSV_FILE SCREENSHOT.png
# CSV_FILE is a Linux path; the program is given its Z: name, without the extension that the save
# dialog adds. The window as it opened is saved beside the screenshot, as NAME-start.png. Exit
# status 0 when the CSV file was written and the program ended.
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,10p' "$0"; exit 0; fi
source "$(dirname "$0")/lib.sh"
exe="$1" domain="$2" user="$3" csv="$4" screenshot="$5"
: "${QUORREX_USER_PASSWORD:?QUORREX_USER_PASSWORD holds the password to type}"
: "${DISPLAY:?DISPLAY names the display Wine draws on}"

work="$(mktemp -d)"
program_pid=""
finish() {
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        log "the program did not end; stopping it"
        kill "$program_pid" 2>/dev/null || true
    fi
    if [ -n "${QUORREX_SCRIPTED_KEEP:-}" ]; then
        cp "$work"/*.png "$QUORREX_SCRIPTED_KEEP"/ 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap finish EXIT

shot() {
    import -window root "$1" 2>/dev/null
}

# Whether the screen is the same as a second ago; the new screenshot is the next one to compare with.
screen_settled() {
    sleep 1
    shot "$work/b.png"
    cmp -s <(convert "$work/a.png" rgb:-) <(convert "$work/b.png" rgb:-) && return 0
    mv "$work/b.png" "$work/a.png"
    return 1
}

# Waits until two screenshots a second apart are the same: the program has drawn what it does.
wait_until_still() {
    shot "$work/a.png"
    wait_until "$1" 0 "the screen to settle" screen_settled || true
}

# Whether the window is up: its CSV link is drawn. Sets link to the link's box.
window_drawn() {
    shot "$work/start.png"
    # Only the CSV link is drawn in exactly that blue (RGB 0, 0, 255).
    link="$(colour_box '#0000FF' "$work/start.png")"
    [ -n "$link" ]
}

key() { xdotool key --delay 80 "$@"; }
type_text() { xdotool type --delay 40 -- "$1"; }

rm -f "$csv.csv"
# The pointer away from where the window opens: over the link it would turn it red.
xdotool mousemove 0 0
wine "$exe" </dev/null >"$work/program.out" 2>&1 &
program_pid=$!

link=""
wait_until 90 0.5 "the program's window to appear" window_drawn || exit 1
read -r lw lh lx ly <<<"$link"
link_x=$((lx + lw / 2)) link_y=$((ly + lh / 2))
wait_until_still 10
# The window as it opened, beside the screenshot of the end, to compare with.
shot "${screenshot%.png}-start.png"

# The pointer rests on the window (keys go to the window under it), then the keyboard: the domain
# field has the focus; five tabs to the user, one to the password, four back to "Generate".
xdotool mousemove "$link_x" $((link_y - 40))
sleep 0.5
type_text "$domain"
key Tab Tab Tab Tab Tab
type_text "$user"
key Tab
type_text "$QUORREX_USER_PASSWORD"
key shift+Tab shift+Tab shift+Tab shift+Tab
key Return
sleep 1
wait_until_still 120
shot "$work/listed.png"

# The link, with the mouse; then the save dialog, with the keyboard: its name field has the focus.
xdotool mousemove "$link_x" "$link_y" click 1
sleep 2
wait_until_still 30
shot "$work/save-dialog.png"
type_text "$(printf 'Z:%s' "$csv" | tr / '\\')"
key Return
wait_until 60 0.5 "the CSV file $csv.csv to be written" test -s "$csv.csv" || exit 1
# Characters the 8-bit file cannot hold bring a message (the screen is not as it was before the
# click); Return answers it.
xdotool mousemove "$link_x" $((link_y - 40))
sleep 1
wait_until_still 20
shot "$work/after-export.png"
if ! cmp -s <(convert "$work/after-export.png" rgb:-) <(convert "$work/listed.png" rgb:-); then
    key Return
    sleep 1
    wait_until_still 20
fi
shot "$screenshot"

# Alt+F4 closes the program as the close box does.
xdotool mousemove "$link_x" $((link_y - 40))
key alt+F4
wait_until 30 0.5 "the program to close" ended "$program_pid" || exit 1
wait "$program_pid" || true
program_pid=""
log "saved $csv.csv and $screenshot"
