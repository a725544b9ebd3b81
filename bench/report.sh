#!/usr/bin/env bash
# Time and memory of `QZTestResult report` on a long history.
#   bench/report.sh [BUILDS] [DATABASE]
# Fills DATABASE (default bench/data/history-BUILDS.db, kept for later runs)
# with BUILDS builds (default 1000) of one project, made by
# bench/history.cpp and imported through `QZTestResult --database`, each
# conversion dated through SOURCE_DATE_EPOCH (about 5,650 rows a build:
# 2,000 tests, 300 coverage rows, 3,000 warnings, 200 map entries, 150 QAC
# files). DATABASE may be a PostgreSQL URI of an empty database; a database
# that already holds the BUILDS builds is not filled again.
#
# Then it prints the seconds and peak memory of the page and JSON of the
# latest 30 builds (best of three runs), the same without the import's
# indexes (SQLite only: on a copy with the indexes dropped), and how long a
# small import into the same database takes while reports run one after
# another (the longest and the median of ten), against the same import with
# no report running.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh

builds=${1:-1000}
database=${2:-$data/history-$builds.db}
is_uri() { [[ $1 == postgresql://* || $1 == postgres://* ]]; }
first_epoch=1672531200  # 2023-01-01, then one build every eight hours

build_bench
cmake --build --preset release --target qz_bench_history >/dev/null
make_scratch report
# A copy, so that a build during the run changes nothing.
cp "$program" "$scratch/QZTestResult"
program="$scratch/QZTestResult"

# How many builds the database holds (0 when it has no tests table yet).
held_builds() {
  local sql='select count(distinct githash) from ut_results'
  if is_uri "$1"; then
    psql -qtAX "$1" -c "$sql" 2>/dev/null || echo 0
  else
    sqlite3 "$1" "$sql" 2>/dev/null || echo 0
  fi
}

# Imports the logs of one build: import_build NUMBER
import_build() {
  local number=$1 folder="$scratch/build-$1" hash epoch type offset=0
  mkdir -p "$folder"
  hash=$(build/bench/qz_bench_history "$number" "$folder")
  epoch=$((first_epoch + number * 28800))
  for type in PassFail CTC_Coverage Warning_KEIL Map QAC; do
    offset=$((offset + 60))
    SOURCE_DATE_EPOCH=$((epoch + offset)) "$program" --input="$folder/$type.${type_extension[$type]}" \
      --output="$folder/out.sql" --platform=Hmt4 --project_name=Bench_App --tool_name=CTC \
      --hash_value="$hash" --test_type=Unit --parser_type="$type" --database="$database" \
      >/dev/null || { echo "import of build $number ($type) failed" >&2; return 1; }
  done
  rm -rf "$folder"
}
declare -A type_extension=([PassFail]=log [CTC_Coverage]=txt [Warning_KEIL]=log [Map]=map [QAC]=txt)

fill() {
  local start=$EPOCHREALTIME number
  echo "filling $database with $builds builds ..."
  is_uri "$database" || rm -f "$database"
  for ((number = 0; number < builds; number++)); do
    # Two at a time: the imports wait for each other's commits only.
    import_build "$number" || touch "$scratch/failed" &
    (( number % 2 == 0 )) || wait
  done
  wait
  [ ! -e "$scratch/failed" ] || { echo "filling $database failed" >&2; exit 1; }
  awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { printf "filled in %.0f s\n", e - s }'
}

if [ "$(held_builds "$database")" != "$builds" ] || { ! is_uri "$database" &&
     [ build/bench/qz_bench_history -nt "$database" ]; }; then
  fill
fi
is_uri "$database" || echo "database: $(size_mb "$database") MB"

# Runs the report on a database: report_on DATABASE
report_on() {
  local best="" best_peak=""
  for _ in 1 2 3; do
    measure "$program" report --database="$1" --output="$scratch/report.html" \
      --json="$scratch/report.json"
    [ "$status" = 0 ] || { echo "report ended with status $status" >&2; exit 1; }
    if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$seconds best_peak=$peak_mb
    fi
  done
  seconds=$best peak_mb=$best_peak
}

# Ten small imports, one after another; sets $longest and $median (seconds).
time_imports() {
  local times=() number
  printf '../Src/a.c:1:1: warning: w\n' >"$scratch/small.log"
  # The first run after a copy reads the database from disk; it is not counted.
  for number in 0 1 2 3 4 5 6 7 8 9 10; do
    measure "$program" --input="$scratch/small.log" --output="$scratch/small.sql" \
      --platform=Hmt4 --project_name=Bench_Probe --tool_name=T --hash_value="probe$number" \
      --test_type=Unit --parser_type=Warning_KEIL --database="$1"
    [ "$number" = 0 ] || times+=("$seconds")
  done
  read -r longest median < <(printf '%s\n' "${times[@]}" | sort -n |
    awk '{ v[NR] = $1 } END { print v[NR], (v[5] + v[6]) / 2 }')
}

# The same imports while reports run back to back on the database.
time_imports_during_reports() {
  local reporter
  ( while :; do
      "$program" report --database="$1" --output="$scratch/busy.html" >/dev/null 2>&1 || true
    done ) &
  reporter=$!
  sleep 1
  time_imports "$1"
  kill "$reporter"
  wait "$reporter" 2>/dev/null || true
}

printf '\n%-36s %9s %9s\n' "report of the latest 30 builds" seconds peak_MB
report_on "$database"
printf '%-36s %9s %9s\n' "with the import's indexes" "$seconds" "$peak_mb"
without_indexes=""
if ! is_uri "$database"; then
  without_indexes="$scratch/without-indexes.db"
  cp "$database" "$without_indexes"
  sqlite3 "$without_indexes" "select 'drop index ' || name || ';' from sqlite_schema
    where type = 'index' and sql is not null" | sqlite3 "$without_indexes"
  report_on "$without_indexes"
  printf '%-36s %9s %9s\n' "without indexes" "$seconds" "$peak_mb"
fi
echo "page $(size_mb "$scratch/report.html") MB, JSON $(size_mb "$scratch/report.json") MB"

# The imports add rows: they go into a copy, which the reports read too.
printf '\n%-36s %9s %9s\n' "a small import (ten runs)" longest median
if is_uri "$database"; then
  busy=$database
else
  busy="$scratch/busy.db"
  cp "$database" "$busy"
fi
time_imports "$busy"
printf '%-36s %9s %9s\n' "no report running" "$longest" "$median"
time_imports_during_reports "$busy"
printf '%-36s %9s %9s\n' "during reports" "$longest" "$median"
if [ -n "$without_indexes" ]; then
  time_imports_during_reports "$without_indexes"
  printf '%-36s %9s %9s\n' "during reports, without indexes" "$longest" "$median"
fi
