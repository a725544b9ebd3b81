#!/usr/bin/env bash
# Benchmark: generates seeded inputs and times QZTestResult on each parser type.
#   bench/run.sh [MEGABYTES] [SHARE] [PARSER_TYPE...]
# MEGABYTES defaults to 100, SHARE (the part of entries an importer recognises)
# to 0.3; SHARE 0 measures inputs in which no line is recognised. Prints per
# parser type: input MB, seconds, MB/s, the seconds of `wc -l` on the same
# file, and peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."

megabytes=${1:-100}
share=${2:-0.3}
shift $(( $# > 2 ? 2 : $# ))
types=("$@")
if [ ${#types[@]} -eq 0 ]; then
  types=(PassFail GCOV_Coverage CTC_Coverage Map Map_KEIL Warning Warning_KEIL Warning_Tricore
         QAC QAC_full_report ClangTidy)
fi

command -v /usr/bin/time >/dev/null || { apt-get update -qq && apt-get install -y -qq time; }
cmake --preset release >/dev/null
cmake --build --preset release --target QZTestResult qz_bench_gen >/dev/null

data=bench/data
mkdir -p "$data"
printf '%-16s %8s %8s %9s %8s %10s\n' type MB seconds MB/s wc_s peak_MB
for type in "${types[@]}"; do
  input="$data/$type-$megabytes-$share.txt"
  [ -f "$input" ] || build/bench/qz_bench_gen "$type" "$megabytes" "$input" "$share"
  size_mb=$(awk -v b="$(stat -c %s "$input")" 'BEGIN { printf "%.1f", b / 1048576 }')
  wc_start=$(date +%s.%N); wc -l "$input" >/dev/null; wc_end=$(date +%s.%N)
  /usr/bin/time -v -o "$data/time.txt" build/QZTestResult --input="$input" \
    --output="$data/out.txt" --platform=Hmt4 --project_name=Bench --tool_name=Bench \
    --hash_value=0 --test_type=Unit --parser_type="$type" >/dev/null
  seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0;
    for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s }' "$data/time.txt")
  peak=$(awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$data/time.txt")
  awk -v t="$type" -v mb="$size_mb" -v s="$seconds" -v w="$(awk -v a="$wc_start" -v b="$wc_end" 'BEGIN { print b - a }')" -v p="$peak" \
    'BEGIN { printf "%-16s %8.1f %8.2f %9.1f %8.2f %10.1f\n", t, mb, s, (s > 0 ? mb / s : 0), w, p }'
done
