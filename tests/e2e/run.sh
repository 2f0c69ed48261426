#!/usr/bin/env bash
# End to end: the real tovik under Xvfb, driven with xdotool.  Records two
# clicks and two keys with Ctrl+R, checks the lines of TOVIK.SCR, plays them
# back with Ctrl+P, quits with Ctrl+Q and expects exit code 0; then records
# again and hangs up with SIGHUP, which must keep the pending ticks.
#
#   tests/e2e/run.sh path/to/tovik
#
# Needs Xvfb, xdotool, xprop and inotifywait (packages xvfb, xdotool,
# x11-utils, inotify-tools);
# inotifywait sees the playback open, read and close the script.
# Everything awaited is polled with a generous limit (E2E_TIMEOUT seconds,
# default 60); no pause decides the verdict.
set -euo pipefail

tovik=$(realpath "${1:?usage: $0 path/to/tovik}")
desktop_entry=$(realpath "$(dirname "$0")/../../dist/org.example.Tovik.desktop")
limit=${E2E_TIMEOUT:-60}
work=$(mktemp -d)
background=()
tovik_pid=""

cleanup() {
    if [ -n "$tovik_pid" ]; then kill "$tovik_pid" 2>/dev/null || true; fi
    for pid in "${background[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "e2e: FAIL: $*" >&2
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

# --- an X server of our own -------------------------------------------------
# -noreset: the server must not be resetting when the second run connects.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
background+=($!)
poll "display from Xvfb" test -s "$work/display"
export DISPLAY=":$(head -n 1 "$work/display")"
echo "e2e: Xvfb on $DISPLAY"

# --- tovik in an empty directory --------------------------------------------
cd "$work"
SDL_VIDEODRIVER=x11 "$tovik" >"$work/tovik.log" 2>&1 &
tovik_pid=$!

graphics=""
find_graphics_window() {
    graphics=$(xdotool search --onlyvisible --name '^TOVIK Graphics$' 2>/dev/null | head -n 1)
    [ -n "$graphics" ]
}
poll "visible window \"TOVIK Graphics\"" find_graphics_window
xdotool windowfocus --sync "$graphics"

# --- as the desktop sees it: the icon, and the class its entry names -----------
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_entry")
# Read whole before grep looks: grep -q stops reading at the first match,
# and xprop writing the rest would die of SIGPIPE and fail the pipe.
for window in "$graphics" $(xdotool search --name '^TOVIK Text$'); do
    class=$(xprop -id "$window" WM_CLASS)
    [ "$class" = "WM_CLASS(STRING) = \"$wm_class\", \"$wm_class\"" ] ||
        fail "window $window: $class, not the desktop entry's $wm_class"
    icon=$(xprop -id "$window" _NET_WM_ICON)
    grep -q 'Icon (64 x 64)' <<<"$icon" || fail "window $window has no 64 x 64 icon"
done

key() { xdotool key --delay 30 "$@"; }
click() { xdotool mousemove --window "$graphics" --sync "$1" "$2" click 1; }

script_is_open() { ls -l "/proc/$tovik_pid/fd" 2>/dev/null | grep -q 'TOVIK\.SCR'; }
events_in_script() {
    [ -f TOVIK.SCR ] && [ "$(grep -vc '^TOVIK_PERIODIC' TOVIK.SCR)" -ge "$1" ]
}
recording_stopped() { events_in_script 4 && ! script_is_open; }

# --- record -------------------------------------------------------------------
key ctrl+r
click 450 300
click 470 260
key x y
key ctrl+r
poll "recording of four events, closed" recording_stopped
echo "e2e: recorded:"
sed 's/^/  /' TOVIK.SCR

line_format='^TOVIK_(MOUSE\(-?[0-9]+, -?[0-9]+\)|KBD\(-?[0-9]+\)|PERIODIC\([1-9][0-9]*\));$'
if grep -Evq "$line_format" TOVIK.SCR; then fail "a line of TOVIK.SCR is not a script line"; fi
if grep -q '^TOVIK_PERIODIC' <(uniq -c <(sed 's/(.*//' TOVIK.SCR) | awk '$1 > 1 {print $2}'); then
    fail "two periodic lines in a row: a run was split"
fi
mapfile -t events < <(grep -v '^TOVIK_PERIODIC' TOVIK.SCR)
[ "${#events[@]}" -eq 4 ] || fail "expected 4 click and key lines, found ${#events[@]}"
[[ ${events[0]} =~ ^TOVIK_MOUSE\((-?[0-9]+),\ (-?[0-9]+)\)\;$ ]] || fail "first event is not a click"
x1=${BASH_REMATCH[1]} y1=${BASH_REMATCH[2]}
[[ ${events[1]} =~ ^TOVIK_MOUSE\((-?[0-9]+),\ (-?[0-9]+)\)\;$ ]] || fail "second event is not a click"
x2=${BASH_REMATCH[1]} y2=${BASH_REMATCH[2]}
# 20 pixels right and 40 up on the screen: y grows upward in the game.
[ $((x2 - x1)) -eq 20 ] && [ $((y2 - y1)) -eq 40 ] ||
    fail "clicks 20 right and 40 up recorded as ($x1, $y1) then ($x2, $y2)"
[ "${events[2]}" = "TOVIK_KBD(120);" ] || fail "third event is not the key x"
[ "${events[3]}" = "TOVIK_KBD(121);" ] || fail "fourth event is not the key y"
cp TOVIK.SCR "$work/recorded.scr"

# --- play back ------------------------------------------------------------------
inotifywait -m -e open -e access -e close_nowrite -e close_write --format '%e' TOVIK.SCR \
    >"$work/inotify.log" 2>"$work/inotify.err" &
background+=($!)
poll "watch on TOVIK.SCR" grep -q 'Watches established' "$work/inotify.err"

played_to_the_end() { grep -q 'CLOSE_NOWRITE' "$work/inotify.log"; }
key ctrl+p
poll "playback to the end of the script" played_to_the_end
grep -q '^ACCESS' "$work/inotify.log" || fail "the playback closed the script without reading it"
if grep -q 'CLOSE_WRITE' "$work/inotify.log"; then fail "the playback wrote to the script"; fi
cmp -s TOVIK.SCR "$work/recorded.scr" || fail "the playback changed TOVIK.SCR"
echo "e2e: played back to the end"

# --- quit -----------------------------------------------------------------------
key ctrl+q
poll "exit of tovik after Ctrl+Q" tovik_exited
status=0
wait "$tovik_pid" || status=$?
tovik_pid=""
[ "$status" -eq 0 ] || fail "tovik exited with $status"
echo "e2e: quit with exit code 0"

# --- the terminal closing during a recording ----------------------------------
# SIGHUP, as when the terminal tovik was started from closes, ends it as Ctrl+Q
# does: the ticks since the last line are written.  (The signal's default
# disposition is given back in case this script runs under nohup.)
rm -f TOVIK.SCR
SDL_VIDEODRIVER=x11 env --default-signal=HUP "$tovik" >"$work/tovik.log" 2>&1 &
tovik_pid=$!
poll "visible window \"TOVIK Graphics\"" find_graphics_window
xdotool windowfocus --sync "$graphics"

# --- as the desktop sees it: the icon, and the class its entry names -----------
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_entry")
# Read whole before grep looks: grep -q stops reading at the first match,
# and xprop writing the rest would die of SIGPIPE and fail the pipe.
for window in "$graphics" $(xdotool search --name '^TOVIK Text$'); do
    class=$(xprop -id "$window" WM_CLASS)
    [ "$class" = "WM_CLASS(STRING) = \"$wm_class\", \"$wm_class\"" ] ||
        fail "window $window: $class, not the desktop entry's $wm_class"
    icon=$(xprop -id "$window" _NET_WM_ICON)
    grep -q 'Icon (64 x 64)' <<<"$icon" || fail "window $window has no 64 x 64 icon"
done
key ctrl+r
click 450 300
poll "the click's line in TOVIK.SCR" events_in_script 1
sleep 1  # the game animates: ticks pass after the click
kill -HUP "$tovik_pid"
poll "exit of tovik after SIGHUP" tovik_exited
status=0
wait "$tovik_pid" || status=$?
tovik_pid=""
[ "$status" -eq 0 ] || fail "tovik exited with $status after SIGHUP"
grep -Eq '^TOVIK_PERIODIC\([1-9][0-9]*\);$' <(tail -n 1 TOVIK.SCR) ||
    fail "the ticks after the last line were not written at SIGHUP"
echo "e2e: SIGHUP during a recording kept the pending ticks"
echo "e2e: record, playback, quit and hang-up passed"
