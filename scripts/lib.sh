# Shared set-up for the project's scripts: packages, the Wine prefix, Xvfb and the wineserver.
# Sourced, not run. Everything it starts is stopped by stop_session (registered as an EXIT trap).

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="${WINEPREFIX:-$BUILD_DIR/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
export LDAPREFERRALS=off

BUILD_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev googletest)
WINE_PACKAGES=(wine wine64 libwine fonts-wine xvfb xauth x11-utils xdotool imagemagick)

log() { printf '[%s] %s\n' "$(basename "$0")" "$*" >&2; }

# Waits until a command succeeds: tries it at once, then every INTERVAL seconds (0: again at once),
# for at most SECONDS whole seconds. The command runs in this shell (a function may set variables)
# with its output sent nowhere. When time is up, says what it waited for and returns 1.
#   wait_until SECONDS INTERVAL "what it waits for" command [arguments...]
wait_until() {
    local seconds="$1" interval="$2" what="$3" deadline
    shift 3
    # Microseconds; the clock's decimal point follows the locale.
    deadline=$((${EPOCHREALTIME//[!0-9]/} + seconds * 1000000))
    until "$@" >/dev/null 2>&1; do
        if [ "${EPOCHREALTIME//[!0-9]/}" -ge "$deadline" ]; then
            log "gave up waiting for $what after $seconds s"
            return 1
        fi
        [ "$interval" = 0 ] || sleep "$interval"
    done
}

# Whether a process runs (and is not a zombie); unlike kill -0 this also sees root's processes
# from another user.
running() {
    local state
    state="$(sed -n 's/^[0-9]* (.*) \(.\).*/\1/p' "/proc/${1:-none}/stat" 2>/dev/null)"
    [ -n "$state" ] && [ "$state" != Z ]
}

ended() { ! running "$1"; }

# The box around the pixels of exactly one colour (e.g. '#0000FF') in an image, as
# "width height x y"; nothing when there are none.
colour_box() {
    convert "$2" -fill black +opaque "$1" -format '%@' info: 2>/dev/null |
        sed -n 's/^\([1-9][0-9]*\)x\([1-9][0-9]*\)+\([0-9]*\)+\([0-9]*\)$/\1 \2 \3 \4/p'
}

# Installs the named Debian packages that are missing; does nothing when all are there.
ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

XVFB_PID=""
WINESERVER_STARTED=""

# Starts Xvfb on a display number it finds free itself (-displayfd: no race with other displays
# on this machine, nor with those of a chroot or namespace sharing its abstract sockets) and
# exports DISPLAY.
start_xvfb() {
    local fifo
    fifo="$(mktemp -u)"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    local n=""
    read -r -t 20 n <"$fifo" || true
    rm -f "$fifo"
    if [ -n "$n" ]; then
        export DISPLAY=":$n"
        wait_until 10 0.1 "the display $DISPLAY to answer" xdpyinfo && return 0
    fi
    log "Xvfb did not start"
    return 1
}

# Runs one step of the Wine set-up with a deadline; the step's output goes nowhere. On a loaded
# machine a step has waited for good (wineserver -w, 18 minutes, on an explorer.exe /desktop and
# services that never ended): then this prefix's server is stopped, which ends every process of
# this prefix and no other, and the step is tried once more. A second failure ends the run.
#   wine_step "what the step does" SECONDS command [arguments...]
wine_step() {
    local what="$1" seconds="$2" try status how
    shift 2
    for try in 1 2; do
        status=0
        timeout -k 10 "$seconds" "$@" </dev/null >/dev/null 2>&1 || status=$?
        [ "$status" -eq 0 ] && return 0
        how="ended with exit code $status"
        [ "$status" -eq 124 ] || [ "$status" -eq 137 ] && how="did not end within $seconds s"
        [ "$try" -eq 2 ] && break
        log "$what ($*) $how; stopping this prefix's wineserver and trying once more"
        timeout 30 wineserver -k >/dev/null 2>&1 || true
    done
    log "$what ($*) $how at the second try too; giving up"
    exit 1
}

# Wine draws the caption buttons, scroll arrows and check marks with the Marlett font. Debian's
# fonts-wine puts it in /usr/share/wine/fonts, where this Wine does not look, so the buttons showed
# the letters "0", "1" and "r"; a copy in the prefix's font folder is found. (Only Marlett: the
# other fonts there would change every dialog's text metrics.)
ensure_prefix_fonts() {
    local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$marlett" ] || return 0
    mkdir -p "$fonts"
    cmp -s "$marlett" "$fonts/marlett.ttf" || cp "$marlett" "$fonts/marlett.ttf"
}

# Creates the Wine prefix once: no Mono or Gecko prompts, a virtual desktop (so that windows do not
# wait for a window manager), and the .htm file type that link opening falls back on.
ensure_prefix() {
    if [ -f "$WINEPREFIX/.quorrex-ready" ]; then
        ensure_prefix_fonts
        return 0
    fi
    log "creating the Wine prefix in $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # About 7, 5, 1.5, 0.5, 0.5 and 2 s each on an idle machine.
    wine_step "creating the prefix" 120 env WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i
    wine_step "waiting for the new prefix's processes to end" 120 wineserver -w
    wine_step "setting the virtual desktop" 120 \
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
    wine_step "setting the virtual desktop's size" 120 \
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
    wine_step "registering mshtml.dll (the .htm file type)" 120 wine regsvr32 mshtml.dll
    wine_step "waiting for the prefix's processes to end" 120 wineserver -w
    ensure_prefix_fonts
    touch "$WINEPREFIX/.quorrex-ready"
}

# A persistent wineserver with its output away from our pipes, and the prefix booted (about 1 s).
# Both at once: a retry after the server was stopped needs a persistent server again.
start_wineserver() {
    WINESERVER_STARTED=1
    wine_step "starting the wineserver and booting the prefix" 120 sh -c 'wineserver -p && exec wine wineboot'
}

stop_session() {
    if [ -n "$WINESERVER_STARTED" ]; then
        timeout 30 wineserver -k >/dev/null 2>&1 || true
        WINESERVER_STARTED=""
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}

configure_and_build() {
    local preset="${1:-default}"
    cmake --preset "$preset" -B "$BUILD_DIR" >/dev/null
    cmake --build "$BUILD_DIR" -j"$(nproc)"
}
