#!/usr/bin/env bash
# Imports a history of builds into a database through the converter:
#   scripts/import-history.sh PROGRAM DATABASE [FOLDER]
# FOLDER (default examples/history) holds one folder per build, named by its
# git hash, with a file SOURCE_DATE_EPOCH (the build's time, seconds since
# 1970 in UTC) and one folder per platform of logs, each named by its parser
# type up to the first "." (PassFail.log, Map.map, ...). Every log is
# converted with --database=DATABASE and dated through SOURCE_DATE_EPOCH.
# Project K7Qx22_App_default; Hmt4 runs unit tests on the host, Zelo
# integration tests on the board.
set -euo pipefail

program=$1
database=$2
history=${3:-"$(dirname "$0")/../examples/history"}
script=$(mktemp)
trap 'rm -f "$script"' EXIT

tool_for() {
  case "$1" in
    CTC_Coverage) echo CTC ;;
    GCOV_Coverage) echo GCOV ;;
    QAC) echo QAC ;;
    *) echo QZ ;;
  esac
}

for build in "$history"/*/; do
  githash=$(basename "$build")
  epoch=$(cat "$build/SOURCE_DATE_EPOCH")
  for log in "$build"*/*; do
    platform=$(basename "$(dirname "$log")")
    name=$(basename "$log")
    type=${name%%.*}
    test_type=Unit
    [ "$platform" != Zelo ] || test_type=Integration
    SOURCE_DATE_EPOCH=$epoch "$program" --input="$log" --output="$script" --platform="$platform" \
      --test_type="$test_type" --project_name=K7Qx22_App_default --tool_name="$(tool_for "$type")" \
      --hash_value="$githash" --parser_type="$type" --database="$database" >/dev/null || {
      status=$?
      echo "QZTestResult failed on $log (status $status)" >&2
      exit 1
    }
  done
done
