#!/usr/bin/env bash
# End to end: the X server dies during a recording.  tovik must end with a
# non-zero exit code and "tovik: lost the display ..." on stderr, and leave in
# TOVIK.SCR the periodic run it had received but not yet written.
#
#   tests/e2e/display_loss.sh path/to/tovik
#
# Needs Xvfb and xdotool.  The screen is read from Xvfb's frame buffer file:
# a frame that changes after the last key line is on disc shows a periodic
# event after it (the game ignores keys and draws only on ticks).  Everything
# awaited is polled with a limit (E2E_TIMEOUT seconds, default 60).
set -euo pipefail

. "$(dirname "$0")/common.sh" e2e "$@"

mkdir "$work/fb"
start_xvfb 1024x768 -fbdir "$work/fb"
start_tovik

has_line() { [ -f TOVIK.SCR ] && grep -qx "$1" TOVIK.SCR; }
frame() { md5sum <"$work/fb/Xvfb_screen0"; }

# Record with the animation running, then a key whose line is the last on disc.
xdotool key --delay 30 ctrl+r ctrl+l ctrl+a x
poll "key line in TOVIK.SCR" has_line 'TOVIK_KBD(120);'
seen=$(frame)
frame_changed() { [ "$(frame)" != "$seen" ]; }
poll "frame drawn after the key" frame_changed

kill -KILL "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""
poll "exit of tovik after the X server died" tovik_exited
status=0
wait "$tovik_pid" || status=$?
tovik_pid=""

[ "$status" -ne 0 ] || fail "tovik exited with 0 after losing its display"
grep -q '^tovik: lost the display' "$work/tovik.log" || fail "no \"tovik: lost the display\" on stderr"
last=$(tail -n 1 TOVIK.SCR)
[[ $last =~ ^TOVIK_PERIODIC\([1-9][0-9]*\)\;$ ]] || fail "the pending periodic run is missing"
echo "e2e: display lost: exit code $status, TOVIK.SCR ends with $last"
