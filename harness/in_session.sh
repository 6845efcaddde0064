#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a test or benchmark command in a desktop session of its own: a private Xvfb server on the first free
# display, a private runtime folder and home and, with --bus, a private D-Bus session bus. With
# --resource, the server carries that X resource (as a desktop sets "Xft.dpi: 144" to scale). With
# --wayland, the session is a Wayland one instead, with no X server: a headless weston (CPU
# rendering, its screenshot interface on) of the --screen size. With --wine, Windows programs run
# on the Xvfb server in a private Wine prefix (WINEPREFIX), made fresh and quiet: no Mono, Gecko or
# desktop menu entries, no debug output, and windows left to the server, which has no window
# manager.
# Nothing of the developer's own session leaks in (not the display, nor the session or
# accessibility bus), and nothing the test writes lands in the developer's home.
#
#     in_session.sh [--bus] [--wayland | --wine] [--screen WxHxD] [--xvfb-arg ARG]... [--resource LINE]...
#                   -- COMMAND [ARG]...
set -euo pipefail

bus=false
wayland=false
wine=false
screen=1024x768x24
xvfb_args=()
resources=()
while [ $# -gt 0 ]; do
    case $1 in
        --bus) bus=true ;;
        --wayland) wayland=true ;;
        --wine) wine=true ;;
        --screen) screen=$2; shift ;;
        --xvfb-arg) xvfb_args+=("$2"); shift ;;
        --resource) resources+=("$2"); shift ;;
        --) shift; break ;;
        *) echo "in_session.sh: unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
[ $# -gt 0 ] || { echo "in_session.sh: no command" >&2; exit 2; }

session=$(mktemp -d "${TMPDIR:-/tmp}/zantrel-session-XXXXXX")
server=
# shellcheck disable=SC2317 # called by the EXIT trap
cleanup() {
    if $wine && [ -d "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
    [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$session"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkdir -m 700 "$session/runtime" "$session/home"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
export XDG_RUNTIME_DIR="$session/runtime" HOME="$session/home" XDG_CONFIG_HOME="$session/home/.config" \
    XDG_CACHE_HOME="$session/home/.cache" XDG_DATA_HOME="$session/home/.local/share"

# Waits until the server just started ($server) is ready, as `test` tells from its file; says why
# when it stopped instead.
wait_for_server() {
    local name=$1 log=$2 test=$3 file=$4
    for _ in $(seq 300); do
        test "$test" "$file" && return 0
        kill -0 "$server" 2>/dev/null || { cat "$log" >&2; exit 1; }
        sleep 0.1
    done
    echo "in_session.sh: $name did not start" >&2
    exit 1
}

if $wayland; then
    unset DISPLAY
    size=${screen%x*}
    # No fade or zoom when a window opens: what a test reads is the window as it stays.
    printf '[shell]\nanimation=none\nstartup-animation=none\nfocus-animation=none\n' >"$session/weston.ini"
    weston --backend=headless-backend.so --use-pixman --debug --socket=wayland-zantrel \
        --config="$session/weston.ini" --width="${size%x*}" --height="${size#*x}" --idle-time=0 \
        >"$session/weston.log" 2>&1 &
    server=$!
    wait_for_server weston "$session/weston.log" -S "$XDG_RUNTIME_DIR/wayland-zantrel"
    export WAYLAND_DISPLAY=wayland-zantrel
    echo "in_session.sh: Wayland display $WAYLAND_DISPLAY ($$)" >&2
else
    # Xvfb picks the first free display number and writes it to fd 3 once it accepts connections.
    # Two servers starting at the same moment can pick the same number, so servers started here
    # start one at a time. -noreset: a server that resets when its last client leaves (a bus
    # launcher, say) refuses the client that connects during the reset.
    exec 4>"${TMPDIR:-/tmp}/zantrel-xvfb-$(id -u).lock"
    flock 4
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset "${xvfb_args[@]}" \
        3>"$session/display" 4>&- 2>"$session/xvfb.log" &
    server=$!
    wait_for_server Xvfb "$session/xvfb.log" -s "$session/display"
    flock -u 4
    exec 4>&-
    echo "in_session.sh: display :$(head -n 1 "$session/display") ($$)" >&2
    DISPLAY=":$(head -n 1 "$session/display")"
    export DISPLAY
fi
if [ ${#resources[@]} -gt 0 ]; then
    printf '%s\n' "${resources[@]}" | xrdb -nocpp -merge -
fi

if $wine; then
    # wineboot returns before the prefix is written: wait for its wineserver to end.
    export WINEPREFIX="$session/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    wineboot --init >"$session/wineboot.log" 2>&1 || { cat "$session/wineboot.log" >&2; exit 1; }
    wineserver -w
    # Without a window manager, a managed window waits for one when it closes.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
fi

# The harness's Python helpers for the command, and a sign that it is in a session of its own.
PYTHONPATH="$(cd "$(dirname "$0")" && pwd)${PYTHONPATH:+:$PYTHONPATH}"
export PYTHONPATH ZANTREL_SESSION="$session"

status=0
if $bus; then
    dbus-run-session -- "$@" || status=$?
else
    "$@" || status=$?
fi
exit "$status"
