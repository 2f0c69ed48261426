#!/usr/bin/env bash
# The whole program under Xvfb: time from exec to the first picture on screen,
# processor time while halted, while running and while running with logging
# on (DURATION seconds each, default 20), and the peak resident memory.
#
#   tools/measure-program.sh path/to/tovik [path/to/render_frames]
#
# render_frames (built beside the program, in tools/ of the same build) draws
# the frames that the screen is compared with, so that the time is that of
# the right picture and not of any picture.  Needs Xvfb, xdotool and python3;
# missing packages are installed when run as root, named otherwise.
# Processor time is read from /proc (schedstat), so it counts the program
# alone, whatever else the machine runs; the load is printed with the figures.
set -euo pipefail

here=$(dirname "$(realpath "$0")")
tovik=$(realpath "${1:?usage: $0 path/to/tovik [path/to/render_frames]}")
render_frames=$(realpath "${2:-$(dirname "$tovik")/../tools/render_frames}")
duration=${DURATION:-20}

missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v python3 >/dev/null || missing+=(python3)
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        "$here/install-packages.sh" "${missing[@]}"
    else
        echo "$0: needs: apt-get install ${missing[*]}" >&2
        exit 2
    fi
fi
[ -x "$render_frames" ] || { echo "$0: no render_frames at $render_frames" >&2; exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The start-up picture and the first crawl frames after it, should the first
# be gone before it is looked at.
printf 'TOVIK_PERIODIC(3);\n' >"$work/frames.scr"
"$render_frames" --every 1 --out "$work" "$work/frames.scr" >/dev/null

# -noreset: a server resetting as a probe connection leaves may refuse the next.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$work/display")"

# Nanoseconds on a processor, summed over the program's threads: exact, where
# the clock-tick counts of /proc/PID/stat are samples of 10 ms each (some 20
# of them in 20 s at 1 %).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%d", s }'; }

mkdir "$work/run"
cd "$work/run"
read -r first_ms frame tovik_pid < <(SDL_VIDEODRIVER=x11 python3 "$here/first_picture.py" \
    "$tovik" "$work/tovik.log" "$work"/frame_*.png) || true
if [ -z "${tovik_pid:-}" ]; then
    echo "no picture on screen" >&2
    sed 's/^/  tovik: /' "$work/tovik.log" >&2
    exit 1
fi
pids+=("$tovik_pid")
if [ "$frame" -eq 1 ]; then
    echo "first picture: ${first_ms} ms after exec (looked at every few ms)"
else
    echo "first picture: before ${first_ms} ms after exec (frame $frame was the first seen)"
fi
window=$(xdotool search --onlyvisible --name '^TOVIK Graphics$' | head -n 1)

key() { xdotool key --window "$window" "$1"; }
# measure LABEL: the program's share of one core over `duration` seconds.
measure() {
    local before after
    before=$(cpu_ns "$tovik_pid")
    sleep "$duration"
    after=$(cpu_ns "$tovik_pid")
    python3 -c "print(f'$1: {100 * ($after - $before) / 1e9 / $duration:.2f} % of a core')"
}

xdotool windowfocus --sync "$window"
sleep 10  # the opening crawl's 75 ticks: what follows is the game itself
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
