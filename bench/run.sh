#!/usr/bin/env bash
# Benchmark: generates seeded inputs and times QZTestResult on each parser type.
#   bench/run.sh [MEGABYTES] [SHARE] [PARSER_TYPE...]
# MEGABYTES defaults to 100; SHARE, the part of entries an importer recognises,
# to 0.3 (0 gives inputs in which no line is recognised). Per parser type it
# prints input MB, seconds, CPU seconds (user and system), MB/s, the seconds
# of `wc -l` on the same file, peak memory, and the seconds and ratio of the
# plain std::regex loop (bench/baseline.cpp). BASELINE=0 skips the baseline;
# QZ_PROGRAM names another build to measure.
#
# The other modes:
#   bench/run.sh --memory [TYPE...]      bench/memory.sh: time and peak memory by size
#   bench/run.sh --crafted [MB] [TYPE...] bench/crafted.sh: long near-miss lines
#   bench/run.sh --database [MB]         bench/database.sh: loading the rows into SQLite
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
  --memory) exec bench/memory.sh "${@:2}" ;;
  --crafted) exec bench/crafted.sh "${@:2}" ;;
  --database) exec bench/database.sh "${@:2}" ;;
esac

source bench/common.sh

megabytes=${1:-100}
share=${2:-0.3}
shift $(( $# > 2 ? 2 : $# ))
types=("$@")
[ ${#types[@]} -gt 0 ] || types=("${all_types[@]}")

build_bench

printf '%-16s %8s %8s %8s %8s %7s %8s %10s %7s\n' type MB seconds cpu_s MB/s wc_s peak_MB baseline_s ratio
for type in "${types[@]}"; do
  input=$(cached_input "$type" "$megabytes" "$share")
  measure wc -l "$input"
  wc_seconds=$seconds
  convert "$type" "$input" "$data/out.txt"
  [ "$status" = 0 ] || echo "$type: QZTestResult ended with status $status" >&2
  program_seconds=$seconds program_cpu=$cpu_seconds program_peak=$peak_mb
  baseline="-"
  if [ "${BASELINE:-1}" != 0 ]; then
    measure build/bench/qz_bench_baseline "$type" "$input" "$data/baseline_out.txt"
    baseline=$seconds
  fi
  awk -v t="$type" -v mb="$(size_mb "$input")" -v s="$program_seconds" -v w="$wc_seconds" \
    -v c="$program_cpu" -v p="$program_peak" -v b="$baseline" \
    'BEGIN { rate = s > 0 ? mb / s : 0; ratio = (b != "-" && s > 0) ? sprintf("%.1fx", b / s) : "-";
             printf "%-16s %8.1f %8.2f %8.3f %8.1f %7.2f %8.1f %10s %7s\n", t, mb, s, c, rate, w, p, b, ratio }'
done
