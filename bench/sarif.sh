#!/usr/bin/env bash
# What --sarif costs: time and peak memory of QZTestResult with and without
# the SARIF log, per parser type that has findings.
#   bench/sarif.sh [MEGABYTES] [PARSER_TYPE...]
# Converts generated inputs (bench/run.sh's, seed 1; MEGABYTES defaults to
# 100, SHARE to 0.3) and prints seconds, peak memory and the log's size.
# Each input is deleted with its outputs before the next.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh

megabytes=${1:-100}
shift || true
types=("$@")
[ ${#types[@]} -gt 0 ] || types=(Warning Warning_KEIL Warning_Tricore QAC QAC_full_report ClangTidy)
share=${SHARE:-0.3}

build_bench
make_scratch sarif

printf '%-16s %8s %12s %12s %14s %14s %10s\n' type MB seconds sarif_seconds peak_MB \
  sarif_peak_MB sarif_MB
for type in "${types[@]}"; do
  input="$scratch/input.txt"
  build/bench/qz_bench_gen "$type" "$megabytes" "$input" "$share"
  mb=$(size_mb "$input")
  convert "$type" "$input" "$scratch/output.txt"
  plain_seconds=$seconds plain_peak=$peak_mb
  convert "$type" "$input" "$scratch/output.txt" --sarif="$scratch/log.sarif"
  [ "$status" = 0 ] || echo "$type: QZTestResult ended with status $status" >&2
  printf '%-16s %8s %12s %12s %14s %14s %10s\n' "$type" "$mb" "$plain_seconds" "$seconds" \
    "$plain_peak" "$peak_mb" "$(size_mb "$scratch/log.sarif")"
  rm -f "$input" "$scratch/output.txt" "$scratch/log.sarif"
done
