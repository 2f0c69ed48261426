#!/usr/bin/env bash
# Makes the pictures of docs/framework.md anew: each example runs on the
# headless renderer (tools/render_program.cpp) with the events below, and its
# last picture is written to docs/pictures/.  The text is drawn from Liberation
# Sans, so that the pictures do not depend on the machine's fonts.
#
# Environment: BUILD_DIR (default build), a configured build of the project.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
font=/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
out=docs/pictures

tools/install-packages.sh cmake ninja-build g++ libfreetype-dev libfontconfig1-dev libpng-dev \
    fonts-liberation2
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja
cmake --build "$build" --target render_bounce render_click render_palette
mkdir -p "$out"

render() {
    local name=$1 picture=$2
    shift 2
    "$build/tools/render_$name" --font "$font" --out "$out/$picture.png" "$@"
    echo "wrote $out/$picture.png"
}

render bounce bounce ticks:12
render click coordinates click:0,0 click:120,80 click:-200,150 click:-150,-120 click:200,-180
render palette palette
