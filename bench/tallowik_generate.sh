#!/usr/bin/env bash
# tallowik's generation of one file from a 10 MB template with 40 substitutions (the
# 17 class variables, 3 project strings, 20 user strings) against sed running the
# same 40 substitutions on the same template. Both read the template from and write
# the result to files in the same directory. Prints the median time of each, their
# ratio, and whether the two outputs are identical.
#
#   bench/tallowik_generate.sh [build directory] [runs]
#
# Use a release build: the figures of a debug build say little.
set -euo pipefail
build=${1:-build}
runs=${2:-5}
bench=$(realpath "$build/bin/tallowik_generate_bench")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The benchmark leaves TEMPLATE.H, GENERATED.H and subst.sed in $work.
TALLOWIK_BENCH_DIR=$work "$bench" --benchmark_filter='^BM_GenerateFile10MB$' \
  --benchmark_repetitions="$runs" --benchmark_format=json >"$work/result.json" 2>/dev/null
generate_ms=$(awk -F': ' '
  /"name"/ { median = ($2 ~ /_median"/) }
  median && /"real_time"/ { gsub(/[ ,]/, "", $2); print $2; exit }' "$work/result.json")

# Median of `runs` timings of sed, in milliseconds.
sed_ms=$(for ((i = 0; i < runs; i++)); do
  start=$(date +%s%N)
  LC_ALL=C sed -f "$work/subst.sed" "$work/TEMPLATE.H" >"$work/SED.H"
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
done | sort -n | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 1000 }')

if cmp -s "$work/GENERATED.H" "$work/SED.H"; then same=yes; else same=NO; fi
template_mb=$(awk -v b="$(stat -c %s "$work/TEMPLATE.H")" 'BEGIN { printf "%.1f", b / 1048576 }')
printf 'template                      %s MB, 40 substitutions\n' "$template_mb"
printf 'tallowik GenerateFile         %8.1f ms (median of %d)\n' "$generate_ms" "$runs"
printf 'sed -f (40 s|..|..|g)         %8.1f ms (median of %d)\n' "$sed_ms" "$runs"
awk -v g="$generate_ms" -v s="$sed_ms" 'BEGIN { printf "ratio tallowik / sed          %8.2f\n", g / s }'
printf 'outputs identical             %s\n' "$same"
