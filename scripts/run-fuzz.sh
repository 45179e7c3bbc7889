#!/bin/sh
# Runs every fuzz target of a build for a share of a time budget, then prints each one's speed,
# corpus and coverage:
#   ./scripts/run-fuzz.sh <build-fuzz> [seconds] [fuzz_name ...]
#   ./scripts/run-fuzz.sh --merge <build-fuzz> [fuzz_name ...]
# The targets are the files fuzz/Fuzz<Name>.cpp (target fuzz_<name>, lower case) and fuzz/Fuzz<Name>.js,
# which Node runs with libFuzzer's flags and status lines; naming some runs only those. Each starts
# from its kept corpus fuzz/corpus-<name>/ and, when there is one, its kept crash inputs
# fuzz/regressions-<name>/, and keeps what it finds in <build-fuzz>/corpus-<name>/; a crashing input is
# written there as <name>-crash-*. fuzz/Fuzz<Name>.options, when present, holds more of libFuzzer's
# flags for that target. Any report, crash, leak or broken invariant fails the script
# once every target has had its turn.
# --merge minimises each kept corpus together with what the runs found (libFuzzer's -merge=1): what
# adds coverage is kept in fuzz/corpus-<name>/, ready to commit.
set -eu

merge=0
if [ "${1:-}" = --merge ]; then
    merge=1
    shift
fi
build=$1
shift
seconds=600
if [ $merge = 0 ] && [ $# -gt 0 ]; then
    seconds=$1
    shift
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)

if [ $# -gt 0 ]; then
    targets="$*"
else
    targets=$(ls "$source_dir"/fuzz/Fuzz*.cpp "$source_dir"/fuzz/Fuzz*.js | sed 's|.*/Fuzz\(.*\)\.[a-z]*$|fuzz_\L\1|')
fi
count=$(echo $targets | wc -w)
share=$((seconds / count))
[ $share -gt 0 ] || share=1

# LeakSanitizer: the targets that run the program check for leaks every few hundred inputs and at
# exit themselves (fuzz/support/FuzzProgram.h). fuzz/lsan.supp names the third-party libraries whose
# live objects the check cannot follow.
export SDL_VIDEODRIVER=offscreen
# quarantine_size_mb=16: freed blocks wait in a quarantine of 16 MB instead of 256 MB before they are
# reused. Every label texture passes through buffers of 100 KB and more, so with the default nearly
# every one was a fresh mapping of the kernel's zero pages; measured on the message target, the
# smaller quarantine takes a quarter off its CPU time and halves its resident size. A use after free
# is still caught while the block waits among the last 16 MB freed.
export ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0:quarantine_size_mb=16
export LSAN_OPTIONS=suppressions=$source_dir/fuzz/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=""
summary=""
for target in $targets; do
    name=${target#fuzz_}
    capital=$(ls "$source_dir/fuzz" | sed -n 's/^Fuzz\(.*\)\.\(cpp\|js\)$/\1/p' | grep -ix "$name" || true)
    if [ -f "$source_dir/fuzz/Fuzz$capital.js" ]; then
        set -- node "$source_dir/fuzz/Fuzz$capital.js"
    else
        set -- "$build/$target"
    fi
    options=""
    [ -f "$source_dir/fuzz/Fuzz$capital.options" ] && options=$(grep -v '^#' "$source_dir/fuzz/Fuzz$capital.options")
    starting="$source_dir/fuzz/corpus-$name"
    found="$build/corpus-$name"
    mkdir -p "$found" "$starting"
    kept=""
    [ -d "$source_dir/fuzz/regressions-$name" ] && kept="$source_dir/fuzz/regressions-$name"
    log="$build/$target.log"

    if [ $merge = 1 ]; then
        merged=$(mktemp -d)
        # shellcheck disable=SC2086 # the options are separate flags
        "$@" -merge=1 $options "$merged" "$starting" "$found" > "$log" 2>&1 || {
            tail -20 "$log"
            failed="$failed $target"
            continue
        }
        rm -f "$starting"/*
        cp "$merged"/* "$starting"/ 2>/dev/null || true
        rm -rf "$merged"
        echo "$target: fuzz/corpus-$name now holds $(ls "$starting" | wc -l) inputs"
        continue
    fi

    echo "$target: $share s"
    # shellcheck disable=SC2086
    if ! "$@" -max_total_time="$share" -timeout=60 -rss_limit_mb=4096 -print_final_stats=1 $options \
        -artifact_prefix="$build/$name-" "$found" "$starting" $kept > "$log" 2>&1; then
        tail -40 "$log"
        failed="$failed $target"
    fi
    # libFuzzer's last status line holds the coverage (cov: edges, ft: features) and the corpus.
    status=$(grep -E '^#[0-9]+' "$log" | tail -1 | sed 's/^#\([0-9]*\)[[:space:]]*[A-Z]*[[:space:]]*/\1 runs, /')
    speed=$(sed -n 's/^stat::average_exec_per_sec:[[:space:]]*//p' "$log")
    summary="$summary$target: ${speed:-?} exec/s, $status
"
done

if [ $merge = 0 ]; then
    echo
    echo "Fuzzing summary (exec/s, runs, coverage, corpus):"
    printf '%s' "$summary"
fi
if [ -n "$failed" ]; then
    echo "failed:$failed (logs in $build)" >&2
    exit 1
fi
