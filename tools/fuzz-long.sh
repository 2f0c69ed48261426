#!/usr/bin/env bash
# Runs the fuzzers for as long as you like, each with a corpus that persists
# outside the checkout and grows from run to run.
#
#   tools/fuzz-long.sh [HOURS]        (default 4; the time is shared by the fuzzers)
#
# Environment: FUZZ_CORPUS_DIR (default ~/.cache/tovik-fuzz), FUZZ_BUILD_DIR
# (default build-fuzz), FUZZ_JOBS (parallel jobs per fuzzer, default 1).  The
# build is .ci/fuzz.sh's.  Inputs that fail land in $FUZZ_CORPUS_DIR/artifacts;
# worth keeping for everyone: copy the small interesting ones into fuzz/corpus/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
hours=${1:-4}
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
corpus_root=${FUZZ_CORPUS_DIR:-$HOME/.cache/tovik-fuzz}
jobs=${FUZZ_JOBS:-1}

# Builds (and installs what the build needs) without fuzzing.
FUZZ_SECONDS=0 FUZZ_BUILD_ONLY=1 .ci/fuzz.sh
export LSAN_OPTIONS="suppressions=$root/tests/lsan_fontconfig.supp:print_suppressions=0"

fuzzers=(script_reader_fuzz:script_reader script_path_fuzz:script_path draw_fuzz:draw)
seconds=$(awk -v h="$hours" -v n="${#fuzzers[@]}" 'BEGIN { s = int(h * 3600 / n); print (s < 1 ? 1 : s) }')
parallel=()
# With jobs, libFuzzer writes each job's output to fuzz-N.log in the current directory.
[ "$jobs" -le 1 ] || parallel=(-jobs="$jobs" -workers="$jobs")
mkdir -p "$corpus_root/artifacts"
for entry in "${fuzzers[@]}"; do
    name=${entry%%:*} seeds=fuzz/corpus/${entry#*:}
    corpus="$corpus_root/${entry#*:}"
    mkdir -p "$corpus"
    echo "Fuzzing with $name for $seconds s; corpus $corpus"
    "$build_dir/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        "${parallel[@]}" -print_final_stats=1 \
        -artifact_prefix="$corpus_root/artifacts/" "$corpus" "$seeds"
done
