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

. "$(dirname "$0")/common.sh" e2e "$@"
desktop_entry=$(realpath "$(dirname "$0")/../../dist/org.example.Tovik.desktop")

start_xvfb 1024x768
echo "e2e: Xvfb on $DISPLAY"

# --- tovik in an empty directory --------------------------------------------
start_tovik

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
start_tovik env --default-signal=HUP
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
