# What the end-to-end tests share: the program under test, a scratch
# directory removed at the end, polling with a limit (E2E_TIMEOUT seconds,
# default 60), an X server of their own and the program started in it.
# Sourced with the test's name and the program's path:
#   . "$(dirname "$0")/common.sh" NAME "$@"
# shellcheck shell=bash

e2e_name=$1
tovik=$(realpath "${2:?usage: $0 path/to/tovik}")
limit=${E2E_TIMEOUT:-60}
work=$(mktemp -d)
background=()
xvfb_pid=""
tovik_pid=""
graphics=""

cleanup() {
    for pid in $tovik_pid "${background[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "$e2e_name: FAIL: $*" >&2
    if [ -s "$work/tovik.log" ]; then sed 's/^/  tovik: /' "$work/tovik.log" >&2; fi
    if [ -f "$work/TOVIK.SCR" ]; then sed 's/^/  TOVIK.SCR: /' "$work/TOVIK.SCR" >&2; fi
    exit 1
}

tovik_exited() {
    local state
    state=$(ps -o stat= -p "$tovik_pid" 2>/dev/null) || return 0
    [[ $state == Z* ]]
}

# poll WHAT COMMAND...: runs COMMAND until it succeeds, for at most $limit s;
# gives up at once if tovik has ended.
poll() {
    local what=$1
    shift
    local deadline=$((SECONDS + limit))
    until "$@"; do
        if [ -n "$tovik_pid" ] && tovik_exited; then
            # It may have ended just after the check, and its end may be what we await.
            "$@" && break
            fail "tovik ended while waiting for $what"
        fi
        [ "$SECONDS" -lt "$deadline" ] || fail "no $what after ${limit} s"
        sleep 0.05
    done
}

# start_xvfb WIDTHxHEIGHT [Xvfb options...]: an X server of our own, which
# does not reset (and forget its resources) when its last client leaves, so a
# second program start never meets it resetting.
start_xvfb() {
    local size=$1
    shift
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset "$@" \
        3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    background+=("$xvfb_pid")
    poll "display from Xvfb" test -s "$work/display"
    DISPLAY=":$(head -n 1 "$work/display")"
    export DISPLAY
}

find_graphics_window() {
    graphics=$(xdotool search --onlyvisible --name '^TOVIK Graphics$' 2>/dev/null | head -n 1)
    [ -n "$graphics" ]
}

# start_tovik [COMMAND...]: tovik in the scratch directory (run through
# COMMAND if given), its graphics window found and given the focus.
start_tovik() {
    cd "$work" || exit 1
    SDL_VIDEODRIVER=x11 "$@" "$tovik" >"$work/tovik.log" 2>&1 &
    tovik_pid=$!
    poll "visible window \"TOVIK Graphics\"" find_graphics_window
    xdotool windowfocus --sync "$graphics"
}
