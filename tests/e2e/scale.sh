#!/usr/bin/env bash
# High-density desktops: the real tovik under Xvfb with Xft.dpi at 192, what
# GNOME, KDE and Xfce set for 200 %.  Both windows must be twice as large, the
# picture in square 2 x 2 pixels (never blurred), and a click anywhere inside
# a doubled pixel must be recorded as the framework point that pixel stands for.
#
#   tests/e2e/scale.sh path/to/tovik
#
# Needs Xvfb, xdotool, xrdb and xwd (packages xvfb, xdotool, x11-xserver-utils,
# x11-apps).  Everything awaited is polled (E2E_TIMEOUT seconds, default 60).
set -euo pipefail

. "$(dirname "$0")/common.sh" scale "$@"

start_xvfb 1920x2400
echo "Xft.dpi: 192" | xrdb -nocpp -merge
start_tovik

eval "$(xdotool getwindowgeometry --shell "$graphics")"
# 601 x 540 less the frame and caption is 595 x 511 at 96 dots per inch.
[ "$WIDTH" -eq 1190 ] && [ "$HEIGHT" -eq 1022 ] ||
    fail "the graphics window is ${WIDTH} x ${HEIGHT}, not twice 595 x 511"

xdotool key --delay 30 ctrl+h
sleep 0.5  # the last frame before the halt reaches the screen
xwd -id "$graphics" -silent >"$work/shot.xwd"
python3 - "$work/shot.xwd" <<'PY' || fail "the picture is not in square 2 x 2 pixels"
import struct, sys
data = open(sys.argv[1], "rb").read()
h = struct.unpack(">25I", data[:100])
header, width, height, bpp, stride, ncolors = h[0], h[4], h[5], h[11], h[12], h[19]
assert bpp == 32, bpp
pixels = data[header + 12 * ncolors:]
def px(x, y):
    at = y * stride + 4 * x
    return pixels[at:at + 3]
bad = [(x, y) for y in range(0, height - 1, 2) for x in range(0, width - 1, 2)
       if not px(x, y) == px(x + 1, y) == px(x, y + 1) == px(x + 1, y + 1)]
if bad:
    print(f"{len(bad)} of {(width // 2) * (height // 2)} blocks mixed, first at {bad[0]}")
    sys.exit(1)
PY

# Client pixel (100, 50) is native (200..201, 140..141): the 20-pixel menu
# strip, doubled, lies above.  Framework point: (100 - 297, 245 - 50).
xdotool key --delay 30 ctrl+r
xdotool mousemove --window "$graphics" --sync 201 141 click 1
xdotool key --delay 30 ctrl+r
recorded() {
    [ -f TOVIK.SCR ] && grep -q '^TOVIK_MOUSE' TOVIK.SCR &&
        ! ls -l "/proc/$tovik_pid/fd" 2>/dev/null | grep -q 'TOVIK\.SCR'
}
poll "recorded click" recorded
grep -qx 'TOVIK_MOUSE(-197, 195);' TOVIK.SCR ||
    fail "the click at a doubled pixel was recorded as $(grep '^TOVIK_MOUSE' TOVIK.SCR)"

xdotool key --delay 30 ctrl+q
status=0
wait "$tovik_pid" || status=$?
tovik_pid=""
[ "$status" -eq 0 ] || fail "tovik exited with $status"
echo "scale: windows doubled, square pixels, clicks mapped back: passed"
