#!/usr/bin/env bash
# Builds QZTestResult.exe for Windows and runs every end-to-end case against
# it under Wine, headless: the same case files as on Linux, read with CR LF
# line ends and Windows paths (see the top of tests/e2e/e2e_test.cpp), plus
# the cases marked windows_only; then once more with every input file turned
# into CR LF line ends, which must give the same results. The Wine prefix
# lives in build-windows/wine-prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh wine64
scripts/build-windows.sh

# The case runner is a Linux program of the release build.
cmake --preset release >/dev/null
cmake --build --preset release --target qz_e2e_tests

export WINEPREFIX=$PWD/build-windows/wine-prefix
export WINEDEBUG=-all
wine=/usr/lib/wine/wine64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== Wine prefix in $WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1
fi
# The runner names files on drive Z:, where Wine maps the Unix root.
root_drive=$("$wine" winepath -w / 2>/dev/null | tr -d '\r')
if [ "$root_drive" != 'Z:\' ]; then
  echo "Wine maps / to '$root_drive', not to Z:\\" >&2
  exit 1
fi

# One wine server for all runs: one that stops after each program can be
# gone just as the next program connects ("Connection reset by peer").
/usr/lib/wine/wineserver -k 2>/dev/null || true  # the one the steps above left behind
/usr/lib/wine/wineserver -w
/usr/lib/wine/wineserver -p
pg_state=$PWD/build-windows/postgresql-server
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; scripts/postgresql-server.sh stop "$pg_state"' EXIT

export QZ_E2E_WINDOWS=1 QZ_E2E_LAUNCHER="$wine" QZ_E2E_PROGRAM="$PWD/build-windows/QZTestResult.exe"
status=0
echo "== End-to-end cases against QZTestResult.exe under Wine"
build/tests/qz_e2e_tests --gtest_brief=1 || status=$?
echo "== The same with CR LF line ends in every input file"
QZ_E2E_CRLF_INPUT=1 build/tests/qz_e2e_tests --gtest_brief=1 || status=$?
echo "== Banner when started as a batch file does, without .exe"
typed=$(cd build-windows && { "$wine" cmd /c QZTestResult 2>/dev/null || true; } | sed -n 1p | tr -d '\r')
if [ "$typed" != "QZTestResult.exe version 1.11 from Nov 30 2022" ]; then
  echo "FAILED: first line was '$typed'"
  status=1
else
  echo "OK"
fi

echo "== Import into PostgreSQL over 127.0.0.1 through libpq.dll beside the .exe"
scripts/postgresql-server.sh start "$pg_state" fsync=off >/dev/null
# shellcheck source=/dev/null
source "$pg_state/env"
example=$("$wine" winepath -w "$PWD/examples/PassFail.log" 2>/dev/null | tr -d '\r')
work=$(mktemp -d)
run_exe() {  # run_exe EXE: the PassFail example into the test server
  (cd "$work" && PGPASSWORD=qz-secret "$wine" "$1" --input="$example" --output=out.sql \
    --platform=Hmt4 --test_type=Unit --project_name=P --tool_name=T --hash_value=H \
    --parser_type=PassFail --database="$QZ_PG_URI" 2>/dev/null | tr -d '\r' | tail -n 1)
}
run_exe "$PWD/build-windows/QZTestResult.exe" >/dev/null || true
expected=$(grep -c '^insert into' "$work/out.sql" || true)
imported=$(psql -X -A -t -h "$QZ_PG_SOCKET" -p "$QZ_PG_PORT" -U postgres -d qz \
  -c 'select count(*) from ut_results' 2>&1 || true)
if [ "$imported" != "$expected" ] || [ "$expected" = 0 ]; then
  echo "FAILED: $imported rows in the database, $expected in the script"
  status=1
else
  echo "OK: $imported rows"
fi
echo "== Without libpq.dll"
cp build-windows/QZTestResult.exe "$work/"
said=$(run_exe 'QZTestResult.exe' || true)
if [ "$said" != "QZTestResult error: Could not write database: the PostgreSQL client library (libpq) was not found" ]; then
  echo "FAILED: last line was '$said'"
  status=1
else
  echo "OK"
fi
rm -rf "$work"
exit "$status"  # the trap leaves no Wine process and no server behind
