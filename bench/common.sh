# shellcheck shell=bash disable=SC2034  # sets variables for the scripts that source it
# Shared by the benchmark scripts, sourced with the repository root as the
# working directory.

export LC_ALL=C  # a decimal point in every figure

all_types=(PassFail GCOV_Coverage CTC_Coverage Map Map_KEIL Warning Warning_KEIL Warning_Tricore
           QAC QAC_full_report ClangTidy)
data=bench/data
mkdir -p "$data"

build_bench() {
  command -v /usr/bin/time >/dev/null || scripts/install-deps.sh time
  cmake --preset release >/dev/null
  cmake --build --preset release --target QZTestResult qz_bench_gen qz_bench_baseline >/dev/null
}

# perf counts CPU time in microseconds, time(1) in hundredths of a second.
perf_works() { perf stat -x, -e task-clock -o /dev/null true >/dev/null 2>&1; }
if command -v perf >/dev/null && perf_works; then use_perf=1; else use_perf=; fi

# Runs a command with its output discarded and sets $seconds (wall clock,
# three decimals), $cpu_seconds (user and system CPU time, which other load
# on the machine disturbs less), $peak_mb (peak resident memory) and $status
# (exit status; 128 + N when signal N ended it). A failing command does not
# end the script.
measure() {
  local report start end kilobytes signal user system
  report=$(mktemp "${scratch:-$data}/time.XXXXXX")
  local timed=(/usr/bin/time -f '%M %x %U %S' -o "$report" "$@")
  [ -z "$use_perf" ] || timed=(perf stat -x, -e task-clock -o "$report.cpu" "${timed[@]}")
  # time's own %e counts hundredths only; too coarse for short runs.
  start=$EPOCHREALTIME
  "${timed[@]}" >/dev/null 2>&1 || true
  end=$EPOCHREALTIME
  seconds=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }')
  read -r kilobytes status user system < <(tail -n 1 "$report")
  if [ -n "$use_perf" ]; then
    cpu_seconds=$(awk -F, '$3 == "task-clock" { printf "%.3f", $1 / 1000 }' "$report.cpu")
    rm -f "$report.cpu"
  else
    cpu_seconds=$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.3f", u + s }')
  fi
  signal=$(sed -n 's/^Command terminated by signal \([0-9]*\).*/\1/p' "$report")
  [ -z "$signal" ] || status=$((128 + signal))
  peak_mb=$(awk -v k="$kilobytes" 'BEGIN { printf "%.1f", k / 1024 }')
  rm -f "$report"
}

# The program under test; QZ_PROGRAM names another build of it.
program=${QZ_PROGRAM:-build/QZTestResult}

# Runs the program on one input: convert TYPE INPUT OUTPUT [OPTION...]
convert() {
  local type=$1 input=$2 output=$3
  shift 3
  measure "$program" --input="$input" --output="$output" --platform=Hmt4 \
    --project_name=Bench --tool_name=Bench --hash_value=0 --test_type=Unit \
    --parser_type="$type" "$@"
}

# The size of a file in MB (2^20 bytes), one decimal.
size_mb() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.1f", b / 1048576 }'; }

# The generated input of TYPE at MEGABYTES and SHARE, kept in $data and made
# again whenever the generator changed: cached_input TYPE MEGABYTES SHARE
cached_input() {
  local input="$data/$1-$2-$3.txt"
  [ "$input" -nt build/bench/qz_bench_gen ] || build/bench/qz_bench_gen "$1" "$2" "$input" "$3"
  echo "$input"
}

# Sets $scratch to a new directory in $data that is removed when the script
# ends, also when it is interrupted: make_scratch NAME
make_scratch() {
  scratch=$(mktemp -d "$data/$1.XXXXXX")
  trap 'rm -rf "$scratch"' EXIT
  trap 'exit 130' INT TERM
}
