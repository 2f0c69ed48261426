#!/usr/bin/env python3
"""For the display-scaling check: compares dpi_check's runs at 96 and 192 DPI
and the program's own client size at 192 DPI (close_tovik's log).

    compare_scaled.py PICTURE-96.ppm PICTURE-192.ppm LOG-96 LOG-192 CLOSE-LOG

Prints PASS or what failed; exit code 0 when all holds."""
import sys

def values(log):
    """The "name value..." lines of a log; a run that printed nothing has none."""
    found = {"client": ["0", "0"], "moved": ["0", "0"], "scale": [], "click": []}
    for line in open(log, encoding="utf-8", errors="replace"):
        words = line.replace("close_tovik:", "").split()
        if len(words) >= 2:
            found[words[0]] = words[1:]
    return found

def picture(path):
    data = open(path, "rb").read()
    magic, size, depth, pixels = data.split(b"\n", 3)
    width, height = map(int, size.split())
    return width, height, pixels

base, scaled, program = values(sys.argv[3]), values(sys.argv[4]), values(sys.argv[5])
w, h = map(int, base["client"])
ok = w > 0 and h > 0
if not ok:
    print(f"FAIL no client size at 96 DPI (dpi_check's log: {sys.argv[3]})")
if list(map(int, scaled["client"])) != [2 * w, 2 * h] or scaled["scale"] != ["2"]:
    print(f"FAIL scaled client {scaled['client']} (scale {scaled['scale']}) is not twice {w} x {h}")
    ok = False
if list(map(int, base["moved"])) != [2 * w, 2 * h]:
    print(f"FAIL moved to a screen of 192 DPI, the client {base['moved']} is not twice {w} x {h}")
    ok = False
if list(map(int, program["client"])) != [2 * w, 2 * h]:
    print(f"FAIL tovik.exe's client {program['client']} at 192 DPI is not twice {w} x {h}")
    ok = False
for name, run in (("96", base), ("192", scaled)):
    if run["click"] != ["mouse", "10", "-20"]:
        print(f"FAIL the click at {name} DPI became {run['click']}, not the mouse at (10, -20)")
        ok = False
bw, bh, small = picture(sys.argv[1])
sw, sh, large = picture(sys.argv[2])
differing = 0
if (sw, sh) == (2 * bw, 2 * bh):
    for y in range(sh):
        row = large[3 * y * sw: 3 * (y + 1) * sw]
        source = small[3 * (y // 2) * bw: 3 * (y // 2 + 1) * bw]
        doubled = b"".join(source[3 * x: 3 * x + 3] * 2 for x in range(bw))
        differing += sum(1 for x in range(sw) if row[3 * x: 3 * x + 3] != doubled[3 * x: 3 * x + 3])
else:
    differing = -1
if differing != 0:
    print(f"FAIL the picture at 192 DPI is not the 96-DPI one scaled by 2 ({differing} pixels differ)")
    ok = False
if ok:
    print(f"PASS at 192 DPI: client {2 * w} x {2 * h}, twice {w} x {h}, also after moving there from "
          "96 DPI; the picture the 96-DPI one scaled by 2, pixel for pixel; a click inside a scaled "
          "pixel is the framework point (10, -20)")
sys.exit(0 if ok else 1)
