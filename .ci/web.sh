#!/usr/bin/env bash
# Builds the web version and plays it in headless Chromium, in bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

# The game's site, and one of examples/ as a program of one's own.
CMAKE_ARGS="-DTOVIK_WERROR=ON -DTOVIK_WEB_PROGRAM=$PWD/examples/bounce.cpp ${CMAKE_ARGS:-}" \
    timeout 1800 tools/build-web.sh
out=${WEB_BUILD_DIR:-build-web}
# The native build's frames of the start (the crawl, then the panel), from
# the whole font: the browser's must be among them.  Drawn natively from the
# site's cut font too, they must be the same, text and all.
frames=$out/native-frames
font=/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
rm -rf "$frames" "$frames-cut" && mkdir -p "$frames" "$frames-cut"
echo 'TOVIK_PERIODIC(200);' >"$out/start.scr"
"$out/host/tools/render_frames" --seed 1 --out "$frames" --every 1 --font "$font" "$out/start.scr" >/dev/null
"$out/host/tools/render_frames" --seed 1 --out "$frames-cut" --every 1 \
    --font "$out/site/$(basename "$font")" "$out/start.scr" >/dev/null
diff -r "$frames" "$frames-cut" >/dev/null || { echo "The cut font draws other pixels" >&2; exit 1; }
tools/install-packages.sh chromium
# Node and npm from Debian, unless a node with its own npm is there already.
command -v npm >/dev/null || tools/install-packages.sh nodejs npm
(cd tests/web && timeout 300 npm ci --no-audit --no-fund)

port=${TOVIK_WEB_PORT:-8765}
python3 -m http.server --bind 127.0.0.1 --directory "$out" "$port" >/dev/null 2>&1 &
server=$!
trap 'kill "$server"' EXIT
for _ in $(seq 50); do
    python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/site/')" 2>/dev/null && break
    sleep 0.2
done
timeout 600 node tests/web/browser_test.js "http://127.0.0.1:$port/site/" "$frames" \
    "http://127.0.0.1:$port/tovik/bounce-site/"
