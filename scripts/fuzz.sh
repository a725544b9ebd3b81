#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for SECONDS (default 20): whole
# runs of every parser type, then the line classifiers. Seeds come from the
# end-to-end fixtures and the examples. A crash, a failed check or a slow
# input fails the script and leaves its reproducer in build-fuzz/findings/;
# each target's full output is in build-fuzz/logs/.
#   scripts/fuzz.sh [SECONDS]
# Replaying a reproducer:
#   QZ_FUZZ_PARSER_TYPE=Map build-fuzz/fuzz/qz_fuzz_run build-fuzz/findings/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

scripts/install-deps.sh clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

findings=build-fuzz/findings
logs=build-fuzz/logs
seeds=build-fuzz/seed-corpus
rm -rf "$seeds"
mkdir -p "$findings" "$logs" "$seeds/files" "$seeds/lines"

fixtures() {
  find tests/e2e/cases examples -type f ! -name 'expected_*' ! -name args ! -name 'sqlite_*' \
    ! -name existing_output ! -name windows_only -size -64k -print0
}
# Whole files, named by their content: many cases share a file name.
fixtures | xargs -0 sh -c 'for f; do cp "$f" "$0/$(cksum < "$f" | cut -d" " -f1)"; done' \
  "$seeds/files"
# Single lines for the classifiers, and each coverage entry as the importer
# joins its two lines.
fixtures | xargs -0 cat | awk -v dir="$seeds/lines" '
  function seed(text) { if (!(text in seen)) { seen[text]; f = dir "/" ++n; printf "%s", text > f; close(f) } }
  { seed($0) }
  prev ~ /^\*\*\*TER/ { seed(prev $0) }
  prev ~ /^TER/ { seed(prev " " $0) }
  { prev = $0 }'

run() {  # TARGET SEEDS [PARSER_TYPE]
  local target=$1 seed_dir=$2 type=${3:-}
  local name=$target${type:+-$type}
  local work=build-fuzz/corpus-$name
  mkdir -p "$work"
  echo "== $name"
  # The outer limit only guards against a fuzzer that never comes back.
  if ! QZ_FUZZ_PARSER_TYPE=$type timeout --kill-after=10 $((seconds + 120)) \
      "build-fuzz/fuzz/$target" "$work" "$seed_dir" -max_total_time="$seconds" \
      -max_len=65536 -timeout=10 -rss_limit_mb=4096 -artifact_prefix="$findings/" \
      -print_final_stats=1 >"$logs/$name.log" 2>&1; then
    tail -n 40 "$logs/$name.log"
    echo "!! $name failed; reproducers in $findings/"
    return 1
  fi
  grep -E '^(#[0-9]+.*(cov|pulse)|Done )' "$logs/$name.log" | tail -n 2
}

status=0
# Every parser type has a bundled example named after it (up to the first
# dot); examples/history is a folder of builds.
for example in examples/*; do
  [ -f "$example" ] || continue
  type=$(basename "$example")
  type=${type%%.*}
  run qz_fuzz_run "$seeds/files" "$type" || status=1
done
run qz_fuzz_classify "$seeds/lines" || status=1
exit "$status"
