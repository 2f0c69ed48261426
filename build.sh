#!/usr/bin/env bash
# Builds TOVIK and plays it, or runs the whole test suite, installing the
# Debian/Ubuntu packages that are missing first.
#
#   ./build.sh play     build and start the game
#   ./build.sh test     build and run every test
#
# Environment: BUILD_DIR (default build), CMAKE_ARGS (extra configure options).
set -euo pipefail

cd "$(dirname "$0")"
what=${1:-}
build_dir=${BUILD_DIR:-build}

packages=(cmake ninja-build g++ pkg-config libsdl2-dev libfreetype-dev libfontconfig1-dev
          libpng-dev fonts-dejavu-core)
if [ "$what" = test ]; then
    packages+=(libgtest-dev libbenchmark-dev libcairo2-dev xvfb xdotool x11-utils inotify-tools)
fi

case "$what" in
play|test) ;;
*) echo "usage: $0 play|test" >&2; exit 2 ;;
esac

tools/install-packages.sh "${packages[@]}"

generator=()
[ -f "$build_dir/CMakeCache.txt" ] || generator=(-G Ninja)
# shellcheck disable=SC2086
cmake -S . -B "$build_dir" "${generator[@]}" ${CMAKE_ARGS:-}
cmake --build "$build_dir"

if [ "$what" = play ]; then
    exec "$build_dir/game/tovik"
fi
ctest --test-dir "$build_dir" --output-on-failure
