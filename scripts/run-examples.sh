#!/usr/bin/env bash
# Installs what is missing, builds QZTestResult (build/QZTestResult) and
# converts every bundled example under examples/ into out/. An example's
# file name, up to its first ".", is the parser type it is meant for. Then it
# imports the three builds of examples/history into a fresh out/quality.db
# and writes their report: out/report.html and out/report.json.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target QZTestResult

extension_for() {
  case "$1" in
    ClangTidy) echo html ;;
    QAC_full_report) echo txt ;;
    *) echo sql ;;
  esac
}

mkdir -p out
shopt -s nullglob
for example in examples/*; do
  [ -f "$example" ] || continue
  name=$(basename "$example")
  type=${name%%.*}
  output="out/$type.$(extension_for "$type")"
  echo "== $type: $example -> $output"
  build/QZTestResult --input="$example" --output="$output" --platform=Hmt4 \
    --test_type=Unit --project_name=K7Qx22_App_default --tool_name=QZ \
    --hash_value=0123abcd --parser_type="$type" >/dev/null || {
    echo "QZTestResult failed on $example (status $?)"; exit 1; }
done
echo "== examples/history -> out/quality.db, out/report.html, out/report.json"
rm -f out/quality.db
scripts/import-history.sh build/QZTestResult out/quality.db
build/QZTestResult report --database=out/quality.db --output=out/report.html \
  --json=out/report.json || { echo "the report failed (status $?)"; exit 1; }
echo "Done: the results are in out/."
