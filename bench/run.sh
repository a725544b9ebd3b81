#!/usr/bin/env bash
# Benchmark: generates seeded inputs and times QZTestResult on each parser type.
#   bench/run.sh [MEGABYTES] [SHARE] [PARSER_TYPE...]
# MEGABYTES defaults to 100; SHARE, the part of entries an importer recognises,
# to 0.3 (0 gives inputs in which no line is recognised). Per parser type it
# prints input MB, seconds, MB/s, the seconds of `wc -l` on the same file, peak
# memory, and the seconds and ratio of the plain std::regex loop
# (bench/baseline.cpp). BASELINE=0 skips the baseline.
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

command -v /usr/bin/time >/dev/null || scripts/install-deps.sh time
cmake --preset release >/dev/null
cmake --build --preset release --target QZTestResult qz_bench_gen qz_bench_baseline >/dev/null

data=bench/data
mkdir -p "$data"

# Prints the wall-clock seconds of a command; its peak memory in MB is left
# in $data/peak.txt.
timed() {
  /usr/bin/time -f '%e %M' -o "$data/time.txt" "$@" >/dev/null
  read -r seconds kilobytes <"$data/time.txt"
  awk -v k="$kilobytes" 'BEGIN { printf "%.1f", k / 1024 }' >"$data/peak.txt"
  echo "$seconds"
}

printf '%-16s %8s %8s %8s %7s %8s %10s %7s\n' type MB seconds MB/s wc_s peak_MB baseline_s ratio
for type in "${types[@]}"; do
  input="$data/$type-$megabytes-$share.txt"
  # Made again whenever the generator changed.
  [ "$input" -nt build/bench/qz_bench_gen ] ||
    build/bench/qz_bench_gen "$type" "$megabytes" "$input" "$share"
  size_mb=$(awk -v b="$(stat -c %s "$input")" 'BEGIN { printf "%.1f", b / 1048576 }')
  wc_seconds=$(timed wc -l "$input")
  seconds=$(timed build/QZTestResult --input="$input" --output="$data/out.txt" --platform=Hmt4 \
    --project_name=Bench --tool_name=Bench --hash_value=0 --test_type=Unit --parser_type="$type")
  peak=$(cat "$data/peak.txt")
  baseline="-"
  if [ "${BASELINE:-1}" != 0 ]; then
    baseline=$(timed build/bench/qz_bench_baseline "$type" "$input" "$data/baseline_out.txt")
  fi
  awk -v t="$type" -v mb="$size_mb" -v s="$seconds" -v w="$wc_seconds" -v p="$peak" -v b="$baseline" \
    'BEGIN { rate = s > 0 ? mb / s : 0; ratio = (b != "-" && s > 0) ? sprintf("%.1fx", b / s) : "-";
             printf "%-16s %8.1f %8.2f %8.1f %7.2f %8.1f %10s %7s\n", t, mb, s, rate, w, p, b, ratio }'
done
