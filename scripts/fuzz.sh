#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for SECONDS (default 20), seeded
# with the end-to-end fixtures and the examples. A crash fails the script and
# leaves its reproducer in build-fuzz/findings/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

scripts/install-deps.sh clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

findings=build-fuzz/findings
corpus=build-fuzz/seed-corpus
mkdir -p "$findings" "$corpus"
find tests/e2e/cases examples -type f ! -name 'expected_*' ! -name args ! -name 'sqlite_*' \
  -size -64k -exec cp -t "$corpus" {} + 2>/dev/null || true

run() {  # NAME [ENV=VALUE]
  local name=$1
  shift
  echo "== $name $*"
  local work=build-fuzz/corpus-$name${1:+-${1#*=}}
  mkdir -p "$work"
  env "$@" "build-fuzz/fuzz/$name" "$work" "$corpus" -max_total_time="$seconds" \
    -max_len=65536 -timeout=10 -rss_limit_mb=4096 -artifact_prefix="$findings/" \
    -print_final_stats=0 2>&1 | tail -n 2
  return "${PIPESTATUS[0]}"
}

for type in ClangTidy PassFail CTC_Coverage GCOV_Coverage QAC QAC_full_report Warning \
            Warning_KEIL Warning_Tricore Map Map_KEIL; do
  run qz_fuzz_run QZ_FUZZ_PARSER_TYPE="$type"
done
