#!/usr/bin/env bash
# Builds TOVIK and plays it, or runs the whole test suite, installing the
# Debian/Ubuntu packages that are missing first.
#
#   ./build.sh play     build the game alone and start it
#   ./build.sh test     build everything and run every test
#   ./build.sh web      build the browser version into build-web/site (tools/build-web.sh)
#
# play and test share one build directory; each sets the options it needs, so they run
# one after the other in either order.
# Environment: BUILD_DIR (default build), CMAKE_ARGS (extra configure options).
set -euo pipefail

cd "$(dirname "$0")"
what=${1:-}
build_dir=${BUILD_DIR:-build}

# The font the game's text is drawn in.
font_package=fonts-liberation2
# What building and running the game needs.
packages=(cmake ninja-build g++ pkg-config libsdl2-dev libfreetype-dev libfontconfig1-dev
          libpng-dev "$font_package")

case "$what" in
play)
    options=(-DBUILD_TESTING=OFF -DTOVIK_BENCHMARKS=OFF)
    ;;
test)
    packages+=(libgtest-dev libbenchmark-dev libcairo2-dev xvfb xdotool x11-utils inotify-tools
               x11-xserver-utils x11-apps appstream sway grim wtype)
    options=(-DBUILD_TESTING=ON -DTOVIK_BENCHMARKS=ON)
    ;;
web) exec tools/build-web.sh ;;
*) echo "usage: $0 play|test|web" >&2; exit 2 ;;
esac

tools/install-packages.sh "${packages[@]}"

generator=()
[ -f "$build_dir/CMakeCache.txt" ] || generator=(-G Ninja)
# shellcheck disable=SC2086
cmake -S . -B "$build_dir" "${generator[@]}" "${options[@]}" ${CMAKE_ARGS:-}
cmake --build "$build_dir"

case "$what" in
play) exec "$build_dir/game/tovik" ;;
test) ctest --test-dir "$build_dir" --output-on-failure ;;
esac
