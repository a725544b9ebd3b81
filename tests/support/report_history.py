"""The database of tests/report: the builds of examples/history imported
through the real converter (scripts/import-history.sh), and runs of the
report on it.

QZ_REPORT_TEST_DATABASE names a PostgreSQL database (a postgresql:// URI) to
use instead of a new SQLite file; its tables of imported rows are dropped
first (with psql), so it must be one that serves tests alone."""

import os
import subprocess
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
IMPORT_SCRIPT = ROOT / "scripts" / "import-history.sh"
TABLES = "ut_results, ut_coverage, compiler_results, compiler_map, q_results"


def history_database(program, work):
    """A database holding the three builds of examples/history."""
    database = os.environ.get("QZ_REPORT_TEST_DATABASE") or str(work / "history.db")
    if database.startswith(("postgresql://", "postgres://")):
        subprocess.run(["psql", "-qX", database, "-c", f"drop table if exists {TABLES}"],
                       check=True, stdout=subprocess.DEVNULL)
    subprocess.run([str(IMPORT_SCRIPT), str(program), database], check=True)
    return database


def run_report(program, *arguments, env=None):
    """Runs `QZTestResult report ARGUMENTS`; returns the status (-1 as 255)
    and standard output after the banner."""
    run = subprocess.run([str(program), "report", *arguments], stdout=subprocess.PIPE,
                         stderr=subprocess.STDOUT, text=True, timeout=120,
                         env=None if env is None else {**os.environ, **env})
    return run.returncode & 0xFF, run.stdout.split("\n", 2)[-1]
