#!/usr/bin/env bash
# compare-frames.sh [BASE]: the benchmark's frames (the synthetic frame with
# its text, the game frame, the crawl frame) drawn by revision BASE (default
# HEAD) and by the working tree, in one process and in turns, so that the
# machine's other work falls on both alike; and, where valgrind is installed,
# the instructions a frame takes in each, which that work does not move.
#   BASE      a git revision whose framework builds with this tree's bench/
#   ROUNDS    turns of ten frames for each build and frame (default 200)
# Builds in build-compare/ (Release, position-independent, for loading).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
base=${1:-HEAD}
rounds=${ROUNDS:-200}
out=$root/build-compare
mkdir -p "$out"

git worktree prune
rm -rf "$out/base-src"
git worktree add --detach -f "$out/base-src" "$base" >/dev/null
trap 'git worktree remove --force "$out/base-src" 2>/dev/null || true' EXIT

read -r -a font_flags <<<"$(pkg-config --cflags --libs freetype2 fontconfig)"

# frames NAME SOURCE: build-compare/NAME.so, the frames drawn by SOURCE's framework.
frames() {
    local name=$1 src=$2 build=$out/$1 libs=()
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_POSITION_INDEPENDENT_CODE=ON -DBUILD_TESTING=OFF -DTOVIK_BENCHMARKS=OFF >/dev/null
    ninja -C "$build" tovik_game tovik_fake >/dev/null
    for lib in game/libtovik_game.a framework/libtovik_fake.a framework/libtovik_window_system.a \
               framework/libtovik_core.a framework/libtovik_canvas.a; do
        [ -f "$build/$lib" ] && libs+=("$build/$lib")
    done
    # Each library keeps its own framework: nothing but tovik_frames is exported,
    # and its calls bind inside it.
    g++ -std=c++20 -O2 -fPIC -shared -fvisibility=hidden \
        -I"$src/framework" -I"$src/framework/include" -I"$src/game" -I"$build/framework" -I"$root/bench" \
        "$root/bench/compare/frames_library.cpp" "$root/bench/game_frames.cpp" \
        "$root/bench/synthetic_frame.cpp" -o "$out/$name.so" \
        -Wl,--exclude-libs,ALL -Wl,-Bsymbolic -Wl,--start-group "${libs[@]}" -Wl,--end-group \
        "${font_flags[@]}"
}

echo "base: $(git -C "$out/base-src" log --oneline -1)"
echo "new:  the working tree"
frames base "$out/base-src"
frames new "$root"
g++ -std=c++20 -O2 "$root/bench/compare/compare_frames_main.cpp" -o "$out/compare_frames" -ldl

"$out/compare_frames" "$out/base.so" "$out/new.so" "$rounds"

command -v valgrind >/dev/null || exit 0
# Instructions: 13 rounds less 3, of 20 frames each, over 200.
instructions() {
    valgrind --tool=cachegrind --cache-sim=no --cachegrind-out-file=/dev/null \
        "$out/compare_frames" "$1" "$1" "$2" "$3" 2>&1 | awk '/I *refs/ {gsub(",", "", $4); print $4}'
}
echo "instructions a frame:"
names=("synthetic frame" "game frame" "crawl frame")
for which in 0 1 2; do
    line=$(printf '  %-16s' "${names[$which]}")
    for build in base new; do
        few=$(instructions "$out/$build.so" 3 $which)
        many=$(instructions "$out/$build.so" 13 $which)
        line+=" $build $(( (many - few) / 200 ))"
    done
    echo "$line"
done
