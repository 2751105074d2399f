#!/usr/bin/env bash
# One Wine session for a test run, kept inside the build tree:
#   wine_session.sh start BUILD   Xvfb, the prefix (made once) and a persistent wineserver
#   wine_session.sh run BUILD EXE [ARGS...]   runs one Windows program in that session
#   wine_session.sh stop BUILD    ends the wineserver and Xvfb
#   wine_session.sh display BUILD prints the session's X display
# With WINE_SESSION_DISPLAY set, `start` uses that display instead of an Xvfb.
# Never touches ~/.wine.
set -euo pipefail

command=${1:?usage: wine_session.sh start|run|stop BUILD [EXE ARGS...]}
build=$(cd "${2:?build directory missing}" && pwd)
shift 2

session="$build/wine-session"
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko prompts, no menu entries written on the host when a shell
# link is saved, and no crash debugger: a program that crashes ends at once
# with its exception code instead of waiting out the test's timeout.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"

# Wine's 32-bit loader is itself a 32-bit Linux program. Some kernels run none
# (no IA-32 emulation): there only 64-bit Windows programs can start, through
# the 64-bit loader, and tools/test.sh builds the tests 64-bit to match.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    wine=wine
else
    wine=/usr/lib/wine/wine64
    export WINELOADER=$wine
fi

load_display() {
    if [[ -s "$session/display-name" ]]; then
        DISPLAY=$(cat "$session/display-name")
        export DISPLAY
        return
    fi
    if [[ ! -s "$session/display" ]]; then
        echo "wine_session: no session in $build; run 'start' first (ctest does)" >&2
        exit 2
    fi
    export DISPLAY=":$(cat "$session/display")"
}

start() {
    mkdir -p "$session"
    stop_quietly
    rm -f "$session/display" "$session/display-name"
    if [[ -n "${WINE_SESSION_DISPLAY:-}" ]]; then
        echo "$WINE_SESSION_DISPLAY" >"$session/display-name"
    else
        # -displayfd picks a free display and writes its number once it accepts clients.
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$session/display" >"$session/xvfb.log" 2>&1 &
        echo $! >"$session/xvfb.pid"
        for _ in $(seq 1 300); do
            [[ -s "$session/display" ]] && break
            kill -0 "$(cat "$session/xvfb.pid")" 2>/dev/null || { cat "$session/xvfb.log" >&2; exit 1; }
            sleep 0.1
        done
    fi
    load_display

    mkdir -p "$WINEPREFIX"
    # Everything started here outlives this script, so none of it may hold
    # ctest's output pipe open.
    wineserver -p </dev/null >>"$session/wine.log" 2>&1
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        echo "wine_session: creating prefix $WINEPREFIX"
        "$wine" wineboot -i </dev/null >>"$session/wine.log" 2>&1
        # A virtual desktop gives Wine's own window manager: without one, focus
        # and activation misbehave on a bare X server.
        (cd / && "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f &&
            "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f) >/dev/null
        # The desktop that the first boot started is not the virtual one, and
        # windows created under it wait seconds for it: start afresh.
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
        wineserver -p </dev/null >>"$session/wine.log" 2>&1
    fi
    # Boot the prefix's services now, with their output in the log: started
    # later by a test program they would inherit that program's output.
    "$wine" wineboot </dev/null >>"$session/wine.log" 2>&1
    echo "wine_session: display $DISPLAY, prefix $WINEPREFIX"
}

stop_quietly() {
    wineserver -k 2>/dev/null || true
    if [[ -s "$session/xvfb.pid" ]]; then
        kill "$(cat "$session/xvfb.pid")" 2>/dev/null || true
        rm -f "$session/xvfb.pid"
    fi
}

case "$command" in
    start) start ;;
    run)
        load_display
        exec "$wine" "$@"
        ;;
    stop) stop_quietly ;;
    display)
        load_display
        echo "$DISPLAY"
        ;;
    *)
        echo "wine_session: unknown command $command" >&2
        exit 2
        ;;
esac
