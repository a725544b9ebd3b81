#!/usr/bin/env bash
# Runs a report test on a fresh database of the tests' PostgreSQL server
# (scripts/postgresql-server.sh, started by CTest's fixture):
#   tests/report/on_postgresql.sh STATE_DIR TEST_SCRIPT PROGRAM
set -euo pipefail
state=$1 script=$2 program=$3
source "$state/env"
export PGPASSWORD=qz-secret
database="report_$$"
psql -qX "$QZ_PG_URI" -c "create database $database"
trap 'psql -qX "$QZ_PG_URI" -c "drop database if exists $database" >/dev/null' EXIT
QZ_REPORT_TEST_DATABASE="postgresql://qz@$QZ_PG_HOST:$QZ_PG_PORT/$database" \
  python3 "$script" "$program"
