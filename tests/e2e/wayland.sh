#!/usr/bin/env bash
# A Wayland session: the real tovik under a headless sway with SDL's Wayland
# driver, on an output of scale 2.  The graphics window must float at its
# fixed size and show the night sky once, in place, in square 2 x 2 pixels;
# Ctrl+R, x, Ctrl+R must write TOVIK.SCR with the key, Ctrl+Q must end the
# program with 0, and so must SIGTERM in a second run.
#
#   tests/e2e/wayland.sh path/to/tovik
#
# Needs sway, grim and wtype (packages sway, grim, wtype).  sway refuses to run
# as root, so as root everything runs as the user nobody.  The compositor has
# no pointer, so clicks are left to the X11 tests.  Keys come from wtype's
# virtual keyboard: Ctrl+letter is typed with the Control key held (-P/-p),
# because a bare modifier state (-M) arrives with no key event for it.
set -euo pipefail

. "$(dirname "$0")/common.sh" wayland "$@"

chmod 755 "$work"
mkdir "$work/run" "$work/play"
cp "$tovik" "$work/tovik"
cat >"$work/sway.conf" <<'EOF'
output HEADLESS-1 resolution 1920x1600 scale 2
xwayland disable
EOF
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown nobody:nogroup "$work/run" "$work/play"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
chmod 700 "$work/run"
session=(env -i PATH=/usr/bin:/bin HOME="$work/run" XDG_RUNTIME_DIR="$work/run"
         ${LSAN_OPTIONS:+LSAN_OPTIONS="$LSAN_OPTIONS"})
in_session() { "${as_user[@]}" "${session[@]}" WAYLAND_DISPLAY=wayland-1 "$@"; }

"${as_user[@]}" "${session[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
background+=("$!")
poll "Wayland socket from sway" test -S "$work/run/wayland-1"
sway_socket() { compgen -G "$work/run/sway-ipc.*.sock" >/dev/null; }
poll "sway's IPC socket" sway_socket
in_sway() { in_session SWAYSOCK="$(compgen -G "$work/run/sway-ipc.*.sock")" "$@"; }

start() {
    cd "$work/play" || exit 1
    # Not through in_session: the pid must be the program's own.
    "${as_user[@]}" "${session[@]}" WAYLAND_DISPLAY=wayland-1 SDL_VIDEODRIVER=wayland \
        "$work/tovik" >"$work/tovik.log" 2>&1 &
    tovik_pid=$!
}

# The graphics window as sway holds it: "FLOATING X Y WIDTH HEIGHT" of its
# content, or nothing while it is not mapped.
graphics_geometry() {
    in_sway swaymsg -r -t get_tree | python3 -c '
import json, sys
def walk(node, floating):
    if node.get("name") == "TOVIK Graphics" and node.get("pid"):
        r, w = node["rect"], node["window_rect"]
        print(int(floating), r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"])
    for child in node.get("nodes", []):
        walk(child, False)
    for child in node.get("floating_nodes", []):
        walk(child, True)
walk(json.load(sys.stdin), False)'
}
graphics_mapped() { [ -n "$(graphics_geometry)" ]; }

# Each wtype is a new virtual keyboard, which the program is told of and binds
# only after wtype starts: keys typed at once are lost, or arrive as already
# held when the keyboard enters, before its layout is known (SDL 2.26 then
# reads outside the keymap and crashes).  So wtype waits before typing.
key() { in_session wtype -s 300 -P Control_L -k "$1" -p Control_L; }

start
poll "graphics window on the Wayland output" graphics_mapped
read -r floating x y width height <<<"$(graphics_geometry)"
[ "$width" -eq 595 ] && [ "$height" -eq 511 ] ||
    fail "the graphics window is ${width} x ${height}, not 595 x 511"
[ "$floating" -eq 1 ] || fail "sway tiled the fixed-size graphics window instead of floating it"
in_sway swaymsg "[title=\"^TOVIK Graphics\$\"] focus" >/dev/null

# The sky, navy blue, lies inside the client area (below the 20-pixel menu
# strip) and fills its width once: no stale or doubled copy around it.  The
# screenshot is in the output's pixels, twice the window's.
# The window may be mapped a moment before its first picture reaches the
# compositor: the check is repeated until it holds or time runs out.
sky_shown() {
    in_session grim -t ppm "$work/run/shot.ppm" &&
        python3 - "$work/run/shot.ppm" "$((2 * x))" "$((2 * (y + 20)))" 1190 982 <<'PY' 2>/dev/null
import sys
data = open(sys.argv[1], "rb").read()
magic, width, height, depth, pixels = data.split(maxsplit=4)
width, height = int(width), int(height)
cx, cy, cw, ch = map(int, sys.argv[2:])
def px(x, y):
    at = 3 * (y * width + x)
    return pixels[at:at + 3]
sky = bytes((0x00, 0x33, 0x99))
xs, ys = [], []
for y in range(height):
    row = pixels[3 * width * y:3 * width * (y + 1)]
    at = row.find(sky)
    while at >= 0:
        if at % 3 == 0:
            xs.append(at // 3)
            ys.append(y)
        at = row.find(sky, at + 1)
if not xs:
    sys.exit("no sky on the screen")
box = (min(xs), min(ys), max(xs), max(ys))
if box[0] != cx or box[2] != cx + cw - 1 or box[1] < cy or box[3] >= cy + ch:
    sys.exit(f"sky spans {box}, the client area is ({cx}, {cy}) {cw} x {ch}")
mixed = sum(1 for y in range(cy, cy + ch, 2) for x in range(cx, cx + cw, 2)
            if not px(x, y) == px(x + 1, y) == px(x, y + 1) == px(x + 1, y + 1))
if mixed:
    sys.exit(f"{mixed} of the client area's 2 x 2 blocks are not one colour")
PY
}
poll "the picture shown once, in place, in square pixels" sky_shown

key r
in_session wtype -s 300 x
key r
recorded() {
    [ -f TOVIK.SCR ] && ! ls -l "/proc/$tovik_pid/fd" 2>/dev/null | grep -q 'TOVIK\.SCR'
}
poll "TOVIK.SCR written by Ctrl+R, Ctrl+R" recorded
grep -qx 'TOVIK_KBD(120);' TOVIK.SCR || fail "the x typed while recording is not in TOVIK.SCR"

key q
status=0
wait "$tovik_pid" || status=$?
tovik_pid=""
[ "$status" -eq 0 ] || fail "Ctrl+Q ended tovik with $status"

start
poll "graphics window in the second run" graphics_mapped
kill -TERM "$tovik_pid"
status=0
wait "$tovik_pid" || status=$?
tovik_pid=""
[ "$status" -eq 0 ] || fail "SIGTERM ended tovik with $status"
echo "wayland: floating window, one crisp picture in place at scale 2, a typed key recorded, Ctrl+Q and SIGTERM: passed"
