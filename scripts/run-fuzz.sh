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

# After every input that allocated more than it freed, libFuzzer asks LeakSanitizer whether any
# block is unreachable. Caches that grow stay reachable and pass; fuzz/lsan.supp names the one
# third-party library whose live objects the check cannot follow.
export SDL_VIDEODRIVER=offscreen
export ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0
export LSAN_OPTIONS=suppressions=$source_dir/fuzz/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$target" -max_total_time="$seconds" -max_len=4096 -timeout=60 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" "$source_dir/fuzz/corpus" "$source_dir/fuzz/regressions"
