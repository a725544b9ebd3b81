#!/usr/bin/env bash
# Times QZTestResult on single long lines crafted to nearly match each parser
# type's pattern (bench/crafted.cpp), one line per run.
#   bench/crafted.sh [MEGABYTES] [PARSER_TYPE...]
# MEGABYTES, the length of each line, defaults to 1. Per line it prints the
# seconds, seconds per MB, peak memory, the size of the output and the rows
# in it; "expect" says whether the line is valid (row) or a near miss (miss). Lines slower
# than 1 s per MB are marked "slow"; the script reports, it does not fail.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh

megabytes=${1:-1}
shift $(( $# > 1 ? 1 : $# ))
types=("$@")
[ ${#types[@]} -gt 0 ] || types=("${all_types[@]}")

# The findings in an output: SQL rows, the findings the QAC report counts, or
# the messages quoted on the clang-tidy page.
count_rows() {
  [ -f "$2" ] || { echo 0; return; }
  case "$1" in
    QAC_full_report) sed -n 's/^Number of unique warnings\/errors_* : "\([0-9]*\)"/\1/p' "$2" ;;
    ClangTidy) grep -cE '^[^ <].*:[0-9]+:[0-9]+: (error|note|warning): ' "$2" || true ;;
    *) grep -c '^insert into' "$2" || true ;;
  esac
}

build_bench
make_scratch crafted

printf '%-16s %-20s %6s %8s %8s %8s %8s %5s %6s %s\n' \
  type line MB seconds s/MB peak_MB out_KB rows expect verdict
slow=0
for type in "${types[@]}"; do
  while read -r name expect; do
    build/bench/qz_bench_gen --crafted "$type" "$megabytes" "$scratch/line.txt" "$name"
    convert "$type" "$scratch/line.txt" "$scratch/out.txt"
    verdict=ok
    [ "$status" = 0 ] || verdict="status $status"
    if awk -v s="$seconds" -v mb="$megabytes" 'BEGIN { exit !(s > mb) }'; then
      verdict="slow"
      slow=$((slow + 1))
    fi
    out_kb=0
    [ ! -f "$scratch/out.txt" ] || out_kb=$(( $(stat -c %s "$scratch/out.txt") / 1024 ))
    awk -v t="$type" -v n="$name" -v mb="$(size_mb "$scratch/line.txt")" -v s="$seconds" \
      -v p="$peak_mb" -v o="$out_kb" -v r="$(count_rows "$type" "$scratch/out.txt")" \
      -v e="$expect" -v v="$verdict" \
      'BEGIN { printf "%-16s %-20s %6.1f %8.3f %8.3f %8.1f %8d %5d %6s %s\n",
                      t, n, mb, s, (mb > 0 ? s / mb : 0), p, o, r, e, v }'
    rm -f "$scratch/line.txt" "$scratch/out.txt"
  done < <(build/bench/qz_bench_gen --crafted-names "$type")
done
echo "lines slower than 1 s per MB: $slow"
