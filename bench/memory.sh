#!/usr/bin/env bash
# Time and peak memory of QZTestResult by input size.
#   bench/memory.sh [PARSER_TYPE...]
# Per parser type it converts generated inputs (bench/run.sh's, seed 1) of
# each size in SIZES (default "1 100" MB), and of 1 GB as well for the types
# in GB_TYPES (default "PassFail Warning_KEIL"; set it empty to skip), and
# prints seconds, MB/s and peak memory (/usr/bin/time %M). SHARE defaults to
# 0.3. Disks are small: each input is generated, converted and deleted with
# its output before the next, and nothing is left behind on exit.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh

types=("$@")
[ ${#types[@]} -gt 0 ] || types=("${all_types[@]}")
read -r -a sizes <<<"${SIZES-1 100}"
read -r -a gb_types <<<"${GB_TYPES-PassFail Warning_KEIL}"
share=${SHARE:-0.3}

build_bench
make_scratch memory

printf '%-16s %8s %8s %8s %8s %10s\n' type MB seconds MB/s peak_MB peak/input
for type in "${types[@]}"; do
  type_sizes=("${sizes[@]}")
  for gb_type in "${gb_types[@]}"; do
    [ "$gb_type" != "$type" ] || type_sizes+=(1024)
  done
  for megabytes in "${type_sizes[@]}"; do
    input="$scratch/input.txt"
    build/bench/qz_bench_gen "$type" "$megabytes" "$input" "$share"
    mb=$(size_mb "$input")
    convert "$type" "$input" "$scratch/output.txt"
    rm -f "$input" "$scratch/output.txt"
    [ "$status" = 0 ] || echo "$type at $megabytes MB: QZTestResult ended with status $status" >&2
    awk -v t="$type" -v mb="$mb" -v s="$seconds" -v p="$peak_mb" \
      'BEGIN { printf "%-16s %8.1f %8.3f %8.1f %8.1f %10.2f\n",
                      t, mb, s, (s > 0 ? mb / s : 0), p, (mb > 0 ? p / mb : 0) }'
  done
done
