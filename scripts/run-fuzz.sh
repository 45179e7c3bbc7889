#!/bin/sh
# Runs the message fuzzer for a bounded time: ./scripts/run-fuzz.sh <fuzz_messages> [seconds].
# Starts from the checked-in corpus (fuzz/corpus) and the crash regressions (fuzz/regressions), keeps
# new inputs in the build directory, and writes any crashing input there as crash-*. The target
# prints the number of messages it dispatched when it exits.
set -eu

target=$1
seconds=${2:-600}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(dirname "$target")
mkdir -p "$work/corpus"

# The program keeps fonts, textures and its window for the whole run on purpose, so libFuzzer's
# per-input leak check would only see caches growing; LeakSanitizer runs in the test suite instead.
export SDL_VIDEODRIVER=offscreen
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$target" -max_total_time="$seconds" -max_len=4096 -timeout=60 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" "$source_dir/fuzz/corpus" "$source_dir/fuzz/regressions"
