#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs the script reader's target
# for a bounded time; fails on any crash, sanitizer report, leak or hang.
#
# Environment: FUZZ_SECONDS (default 60), FUZZ_BUILD_DIR (default build-fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}

packages=(cmake ninja-build pkg-config clang libclang-rt-14-dev libsdl2-dev libfreetype-dev
          libfontconfig1-dev libpng-dev)
tools/install-packages.sh "${packages[@]}"

generator=()
[ -f "$build_dir/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S . -B "$build_dir" "${generator[@]}" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOVIK_FUZZ=ON -DTOVIK_WERROR=ON -DBUILD_TESTING=OFF -DTOVIK_BENCHMARKS=OFF
cmake --build "$build_dir" --target script_reader_fuzz

# The fuzzer adds what it finds to its first corpus directory: work on a copy.
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp fuzz/corpus/script_reader/* "$corpus"/
artifacts="$root/$build_dir/fuzz-artifacts/"
mkdir -p "$artifacts"

echo "Fuzzing the script reader for ${seconds} s"
if "$build_dir/fuzz/script_reader_fuzz" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus"; then
    echo "Fuzzing the script reader: no failure in ${seconds} s"
else
    echo "script_reader_fuzz found a failure; its input is in $artifacts" >&2
    exit 1
fi
