#!/usr/bin/env bash
# The whole program under Xvfb: time from exec to the first picture on screen,
# processor time while halted, while running and while running with logging
# on (DURATION seconds each, default 20), and the peak resident memory.
#
#   tools/measure-program.sh path/to/tovik
#
# Needs Xvfb, xdotool, x11-apps (xwd) and python3.  Processor time is read
# from /proc, so it counts the program alone, whatever else the machine runs;
# the load is printed with the figures.
set -euo pipefail

tovik=$(realpath "${1:?usage: $0 path/to/tovik}")
duration=${DURATION:-20}
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$work/display")"

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# A picture is on screen once the window shows more than two colours (an
# empty window shows one, the frame of a cleared image two).
picture_shown() {
    xwd -silent -id "$1" 2>/dev/null | python3 -c '
import sys
data = sys.stdin.buffer.read()
header = int.from_bytes(data[0:4], "big")
pixels = data[-4 * 601 * 540:]
sys.exit(0 if len(set(pixels[i:i + 4] for i in range(0, len(pixels), 4 * 97))) > 2 else 1)
' 2>/dev/null
}

cd "$work"
start=$(date +%s%N)
SDL_VIDEODRIVER=x11 "$tovik" >"$work/tovik.log" 2>&1 &
tovik_pid=$!
pids+=("$tovik_pid")
window=""
shown=""
for _ in $(seq 2000); do
    window=$(xdotool search --onlyvisible --name '^TOVIK Graphics$' 2>/dev/null | head -n 1) || true
    if [ -n "$window" ] && picture_shown "$window"; then shown=1; break; fi
    sleep 0.002
done
[ -n "$shown" ] || { echo "no picture on screen" >&2; exit 1; }
first_ms=$((($(date +%s%N) - start) / 1000000))

key() { xdotool key --window "$window" "$1"; }
# measure LABEL: the program's share of one core over `duration` seconds.
measure() {
    local before after
    before=$(cpu_ticks "$tovik_pid")
    sleep "$duration"
    after=$(cpu_ticks "$tovik_pid")
    python3 -c "print(f'$1: {100 * ($after - $before) / $ticks_per_second / $duration:.2f} % of a core')"
}

echo "first picture: ${first_ms} ms after exec (polled every few ms)"
xdotool windowfocus --sync "$window"
key ctrl+h
measure "halted"
key ctrl+a
measure "running"
key ctrl+l
measure "running, logging on"
key ctrl+l
echo "peak RSS: $(awk '/VmHWM/ { print $2, $3 }' "/proc/$tovik_pid/status")"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
key ctrl+q 2>/dev/null || true  # the window may be gone before the key is released
