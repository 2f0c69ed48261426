#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each, the script reader, the
# whole script path (commands, live input and the file) and the drawing
# operations, for a bounded time; fails on any crash, sanitizer report, leak or hang.
# Corpus directories may be given relative to any directory.
#
# Environment: FUZZ_SECONDS (default 60), FUZZ_BUILD_DIR (default build-fuzz),
# FUZZ_BUILD_ONLY (set: build the fuzzers and stop; tools/fuzz-long.sh runs them).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}

packages=(cmake ninja-build pkg-config clang libclang-rt-14-dev libsdl2-dev libfreetype-dev
          libfontconfig1-dev libpng-dev fonts-liberation2)
tools/install-packages.sh "${packages[@]}"

generator=()
[ -f "$build_dir/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S . -B "$build_dir" "${generator[@]}" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOVIK_FUZZ=ON -DTOVIK_WERROR=ON -DBUILD_TESTING=OFF -DTOVIK_BENCHMARKS=OFF
cmake --build "$build_dir" --target script_reader_fuzz script_path_fuzz draw_fuzz
[ -z "${FUZZ_BUILD_ONLY:-}" ] || exit 0
export LSAN_OPTIONS="suppressions=$root/tests/lsan_fontconfig.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

artifacts="$root/$build_dir/fuzz-artifacts/"
mkdir -p "$artifacts"
corpora=()
trap 'rm -rf "${corpora[@]}"' EXIT

# fuzz NAME WHAT [SEED_CORPUS]
fuzz() {
    local name=$1 what=$2 seeds=${3:-}
    # The fuzzer adds what it finds to its first corpus directory: work on a copy.
    local corpus
    corpus=$(mktemp -d)
    corpora+=("$corpus")
    [ -z "$seeds" ] || cp "$seeds"/* "$corpus"/
    echo "Fuzzing $what for ${seconds} s"
    if "$build_dir/fuzz/$name" -max_total_time="$seconds" -timeout=10 \
            -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus"; then
        echo "Fuzzing $what: no failure in ${seconds} s"
    else
        echo "$name found a failure; its input is in $artifacts" >&2
        exit 1
    fi
}

fuzz script_reader_fuzz "the script reader" fuzz/corpus/script_reader
fuzz script_path_fuzz "the script path" fuzz/corpus/script_path
fuzz draw_fuzz "the drawing operations" fuzz/corpus/draw
