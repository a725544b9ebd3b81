#!/usr/bin/env bash
# Time to get the rows of one compiler log into a new SQLite database on disk.
#   bench/database.sh [MEGABYTES] [STATEMENTS] [RUNS]
# Generates the Warning input of MEGABYTES (default 100) as bench/run.sh does
# (share 0.3, seed 1), converts it, then loads the rows into a new database
# file in bench/data three ways:
#   (a) sqlite3 DB < script.sql, as the script is: every statement is its own
#       transaction with a sync, so only the first STATEMENTS inserts (default
#       2000) are loaded and the rate is extrapolated to the whole script;
#   (b) the whole script between BEGIN; and COMMIT; through the sqlite3 shell;
#   (c) QZTestResult --database=DB, which writes the script and imports the
#       rows itself: the time over the plain conversion counts. "-" when the
#       program rejects or ignores the option. QZ_PROGRAM names another build.
# Then into a PostgreSQL server, a private one that scripts/postgresql-server.sh
# starts for the benchmark (default settings, so every commit is synced):
#   (d) QZTestResult --database=postgresql://...: the time over the plain
#       conversion counts;
#   (e) RUNS (default 16) such runs started at once, into one new database:
#       all rows over the time until the last run ended, conversions included.
# Rows are counted in the database after each way. Input, scripts, databases
# and the server are removed on exit.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh

megabytes=${1:-100}
statements=${2:-2000}
runs=${3:-16}
command -v sqlite3 >/dev/null || scripts/install-deps.sh sqlite3
build_bench
make_scratch database
input="$scratch/input.txt"
build/bench/qz_bench_gen Warning "$megabytes" "$input" 0.3

db_rows() { sqlite3 "$1" 'select count(*) from compiler_results;' 2>/dev/null || echo 0; }

# A table line: way, seconds, rows, rows in the database, note.
row() {
  awk -v w="$1" -v s="$2" -v r="$3" -v d="$4" -v n="$5" 'BEGIN {
    rate = (s != "-" && s > 0) ? sprintf("%.0f", r / s) : "-";
    printf "%-34s %9s %9s %10s %9s  %s\n", w, (s == "-" ? "-" : sprintf("%.2f", s)), r, rate, d, n }'
}

convert Warning "$input" "$scratch/script.sql"
[ "$status" = 0 ] || { echo "QZTestResult ended with status $status" >&2; exit 1; }
convert_seconds=$seconds
rows=$(grep -c '^insert into' "$scratch/script.sql" || true)
echo "input: $(size_mb "$input") MB Warning log, $rows rows, script $(size_mb "$scratch/script.sql") MB"
echo
printf '%-34s %9s %9s %10s %9s  %s\n' way seconds rows rows/s db_rows note
row "conversion alone (no database)" "$convert_seconds" "$rows" "-" ""

# (a) The first inserts only, with the table they need.
awk -v n="$statements" '/^insert into/ { if (++k > n) exit } { print }' \
  "$scratch/script.sql" >"$scratch/head.sql"
head_rows=$(grep -c '^insert into' "$scratch/head.sql" || true)
# shellcheck disable=SC2016  # expanded by the inner shell
measure sh -c 'sqlite3 "$1" <"$2"' sh "$scratch/a.db" "$scratch/head.sql"
estimate=$(awk -v s="$seconds" -v h="$head_rows" -v r="$rows" 'BEGIN { print s * r / h }')
row "(a) sqlite3 db < script.sql" "$estimate" "$rows" "$(db_rows "$scratch/a.db")" \
  "extrapolated: $head_rows statements took $seconds s"
rm -f "$scratch/a.db"

# (b) One transaction around the whole script.
# shellcheck disable=SC2016  # expanded by the inner shell
measure sh -c '{ echo "BEGIN;"; cat "$2"; echo "COMMIT;"; } | sqlite3 "$1"' sh \
  "$scratch/b.db" "$scratch/script.sql"
row "(b) BEGIN; script.sql COMMIT;" "$seconds" "$rows" "$(db_rows "$scratch/b.db")" \
  "$([ "$status" = 0 ] || echo "sqlite3 status $status")"
rm -f "$scratch/b.db"

# (c) A one-entry log first tells whether the program takes the option at all.
printf '"../Src/app/main.c", line 42: warning #552-D:\n   function declared implicitly\n' \
  >"$scratch/probe.txt"
probe_status=0
"$program" --input="$scratch/probe.txt" --output="$scratch/probe.sql" --platform=Hmt4 \
  --project_name=Bench --tool_name=Bench --hash_value=0 --test_type=Unit --parser_type=Warning \
  --database="$scratch/probe.db" >"$scratch/probe.out" 2>&1 || probe_status=$?
if [ "$probe_status" != 0 ] || grep -qiE 'unknown|usage' "$scratch/probe.out"; then
  row "(c) QZTestResult --database" "-" "$rows" "-" "option rejected (status $probe_status)"
elif [ "$(db_rows "$scratch/probe.db")" != 1 ]; then
  row "(c) QZTestResult --database" "-" "$rows" "-" "option ignored: no rows in the database"
else
  convert Warning "$input" "$scratch/script_c.sql" --database="$scratch/c.db"
  extra=$(awk -v c="$seconds" -v p="$convert_seconds" 'BEGIN { print c - p }')
  note="extra over the conversion alone; the run took $seconds s"
  [ "$status" = 0 ] || note="QZTestResult status $status"
  [ "$(grep -c '^insert into' "$scratch/script_c.sql" || true)" = "$rows" ] ||
    note="$note; its script has other rows than the plain run's"
  row "(c) QZTestResult --database" "$extra" "$rows" "$(db_rows "$scratch/c.db")" "$note"
fi

# (d) to (f): a private server, stopped when the script ends.
scripts/install-deps.sh postgresql libpq-dev >/dev/null
scripts/postgresql-server.sh start "$scratch/pg" >/dev/null
trap 'scripts/postgresql-server.sh stop "$scratch/pg"; rm -rf "$scratch"' EXIT
# shellcheck source=/dev/null
source "$scratch/pg/env"
export PGPASSWORD=qz-secret
pg_query() { psql -X -A -t -h 127.0.0.1 -p "$QZ_PG_PORT" -U qz -d "$1" -c "$2"; }
pg_rows() { pg_query "$1" 'select count(*) from compiler_results;' 2>/dev/null || echo 0; }

convert Warning "$input" "$scratch/script_d.sql" --database="$QZ_PG_URI"
extra=$(awk -v c="$seconds" -v p="$convert_seconds" 'BEGIN { print c - p }')
note="extra over the conversion alone; the run took $seconds s"
[ "$status" = 0 ] || note="QZTestResult status $status"
row "(d) QZTestResult --database=pg://" "$extra" "$rows" "$(pg_rows qz)" "$note"

# RUNS conversions started at once: measure_parallel [OPTION...]
measure_parallel() {
  # shellcheck disable=SC2016  # expanded by the inner shell
  measure bash -c 'runs=$1 program=$2 input=$3 out=$4; shift 4
    for i in $(seq "$runs"); do
      "$program" --input="$input" --output="$out/parallel$i.sql" --platform=Hmt4 \
        --project_name=Bench --tool_name=Bench --hash_value=0 --test_type=Unit \
        --parser_type=Warning "$@" >/dev/null 2>&1 || exit 1 &
    done; wait' sh "$runs" "$program" "$input" "$scratch" "$@"
}
measure_parallel
row "(e) $runs conversions at once" "$seconds" "$((rows * runs))" "-" "no database"
parallel_seconds=$seconds
pg_query qz 'create database parallel;' >/dev/null
measure_parallel --database="${QZ_PG_URI%/qz}/parallel"
row "(f) $runs runs at once, one database" "$seconds" "$((rows * runs))" "$(pg_rows parallel)" \
  "all rows over the time of all runs ($(awk -v c="$seconds" -v p="$parallel_seconds" \
  'BEGIN { print c - p }') s over (e))"
