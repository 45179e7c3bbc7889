#!/usr/bin/env bash
# Runs the ratio benchmarks of a build made with -DTESSARY_BENCH=ON and prints one table: figure,
# what is measured, program, reference, ratio, target and whether it is met. The Google Benchmark
# programs (bench_labels, bench_model) run too; their full output goes to <build>/bench-*.log.
# Benchmarks never fail the caller: the exit code is 0 whatever the figures are.
set -u
build=${1:-build-bench}
export SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-offscreen}
rows=$(mktemp)
trap 'rm -f "$rows"' EXIT

run() { # name, arguments...: a benchmark program's ROW lines go to the table
    local name=$1
    shift
    if [ ! -x "$build/$name" ]; then
        echo "missing $build/$name" >&2
        return
    fi
    "$build/$name" "$@" 2>>"$build/bench-$name.log" | grep '^ROW' >>"$rows" || true
}

echo "Running benchmarks (a few minutes)..." >&2
run bench_frame
run bench_build time

# Peak memory: each side alone in its own process.
memory_program=$("$build/bench_build" memory program 2>>"$build/bench-bench_build.log" | grep '^MEMORY')
memory_reference=$("$build/bench_build" memory reference 2>>"$build/bench-bench_build.log" | grep '^MEMORY')
if [ -n "$memory_program" ] && [ -n "$memory_reference" ]; then
    read -r _ first after_ten program_texels <<<"$memory_program"
    read -r _ reference_peak _ reference_texels <<<"$memory_reference"
    printf 'ROW\tP3\tpeak RSS after generating 8 (texels %s MB / %s MB)\t%s\t%s\tMB\t1.20\t\n' \
        "$program_texels" "$reference_texels" "$first" "$reference_peak" >>"$rows"
    # The heap's layout moves the peak by a few hundred kilobytes from run to run; growth shows as more.
    printf 'ROW\tP3\tpeak RSS after generating 8 eleven times / after once\t%s\t%s\tMB\t1.01\n' \
        "$after_ten" "$first" >>"$rows"
fi

run bench_startup
run bench_render
run bench_clip
run bench_tour

for name in bench_labels bench_model; do
    [ -x "$build/$name" ] && "$build/$name" --benchmark_repetitions=5 >"$build/bench-$name.log" 2>&1
done

awk -F'\t' '
BEGIN {
    printf "%-4s %-62s %11s %11s %6s %7s %s\n", "fig", "measured", "program", "reference", "ratio", "target", "result"
}
{
    ratio = ($8 != "") ? $8 + 0 : (($5 > 0) ? $4 / $5 : 0)
    target = $7 + 0
    if ($2 == "P5") { ratio = $4 / 100; result = ($4 < $5) ? "pass" : "FAIL"; shown = sprintf("%.2f%%", $4) }
    else if (target == 0) { result = "-"; shown = sprintf("%.2f", ratio) }
    else { result = (ratio <= target) ? "pass" : "FAIL"; shown = sprintf("%.2f", ratio) }
    printf "%-4s %-62s %8s %-2s %8s %-2s %6s %7s %s\n", $2, $3, $4, $6, $5, $6, shown, (target == 0 ? "-" : sprintf("<=%.2f", target)), result
}' "$rows"
exit 0
