#!/usr/bin/env python3
"""The report of the builds of examples/history, imported through the real
converter (see tests/support/report_history.py): its JSON figures and
change lists, the gates' statuses and what it refuses.

    report_test.py PROGRAM

Exits 1 after printing every failed check.
"""

import hashlib
import json
import os
import sqlite3
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "support"))
from report_history import history_database, run_report  # noqa: E402

FIRST, SECOND, THIRD = "3f9c2a1e", "7b41d0c5", "0123abcd"
ALL_GATES = "failed-tests,new-failures,new-warnings,coverage-drop,new-findings"
failures = []


def expect(condition, what):
    if not condition:
        failures.append(what)


def entries(change_list, *fields):
    return [tuple(entry[field] for field in fields) for entry in change_list["entries"]]


def check_figures(report):
    """The judged and the previous build of Hmt4 and Zelo, as the logs of
    examples/history have them."""
    hmt4, zelo = report["sections"]
    expect(report["tables_found"] == 5, f"tables_found {report['tables_found']}")
    expect([b["build"]["githash"] for b in hmt4["trend"]] == [FIRST, SECOND, THIRD],
           f"builds in the order of their dates: {hmt4['trend']}")
    # SOURCE_DATE_EPOCH 1669817109, written in UTC.
    expect(hmt4["judged"] == {"githash": THIRD, "date": "2022-11-30", "time": "14:05:09"},
           f"judged {hmt4['judged']}")
    expect(hmt4["previous"]["githash"] == SECOND, f"previous {hmt4['previous']}")
    figures = hmt4["figures"]
    expect(figures["tests"] == {"passed": 10, "failed": 3}, f"tests {figures['tests']}")
    coverage = {tool["tool"]: tool for tool in figures["coverage"]}
    expect(coverage["CTC"]["C0"] == {"covered": 62, "coverable": 72, "percent": 86.1} and
           coverage["CTC"]["C1"]["percent"] == 73.1, f"CTC {coverage['CTC']}")
    expect(coverage["GCOV"]["C0"]["covered"] == 1251 and coverage["GCOV"]["C1"] is None,
           f"GCOV {coverage['GCOV']}")
    # A header warning from two units is one place.
    expect(figures["compiler"] == {"errors": 0, "warnings": 8}, f"compiler {figures['compiler']}")
    expect(figures["qac"]["total"] == 9 and figures["qac"]["his"] == 2, f"qac {figures['qac']}")
    expect(figures["memory"]["total"] == 9288, f"memory {figures['memory']}")

    changes = hmt4["changes"]
    expect(entries(changes["tests_newly_failing"], "name") == [("Com_SendSignal_overflow",)],
           f"newly failing {changes['tests_newly_failing']}")
    expect(changes["tests_added"]["count"] == 2 and changes["tests_removed"]["count"] == 1,
           f"added {changes['tests_added']}, removed {changes['tests_removed']}")
    # Moved lines are the same warnings; two places of one new warning count twice.
    expect(changes["warnings_new"]["places"] == 3 and changes["warnings_fixed"]["places"] == 1,
           f"new {changes['warnings_new']}, fixed {changes['warnings_fixed']}")
    expect(entries(changes["warnings_new"], "filename", "places_before", "places_now") ==
           [("include/can_cfg.h", 0, 2), ("nvm/nvm.c", 0, 1)], f"new {changes['warnings_new']}")
    expect(entries(changes["coverage_falls"], "function") ==
           [("CanIf_Transmit",), ("Com_SendSignal",)], f"falls {changes['coverage_falls']}")
    expect(entries(changes["qac_files"], "before", "now") == [(3, 5), (3, 2)],
           f"qac files {changes['qac_files']}")
    expect(entries(changes["memory_sections"], "section", "before", "now") ==
           [(".text", 4508, 5324), (".rodata", 2024, 1960)], f"{changes['memory_sections']}")

    # Zelo's second build failed to link: no map, so no memory change.
    expect(zelo["previous_figures"]["memory"] is None and zelo["figures"]["memory"] is not None,
           f"Zelo memory {zelo['previous_figures']['memory']}")
    expect(zelo["changes"]["memory_sections"] is None and zelo["figures"]["qac"] is None,
           f"Zelo changes {zelo['changes']}")
    expect(entries(zelo["changes"]["tests_newly_passing"], "type", "name") ==
           [("Integration", "Can_loopback_500kbit")], f"Zelo {zelo['changes']}")


def check_runs(program, database, work):
    """Status and output of runs; the page and JSON of each go to `work`."""
    page, data = work / "page.html", work / "report.json"
    hmt4 = ["--platform=Hmt4"]
    cases = [
        # arguments, status, a text the output must hold
        (hmt4, 0, f"K7Qx22_App_default Hmt4 {THIRD}: tests 10 passed, 3 failed (+2); CTC C0 "
                  "86.1% (-1.4), C1 73.1% (+0.0); GCOV C0 81.7% (-1.0); warnings 8 (+3 new, "
                  "-1 fixed); QAC 9 (+1); memory 9,288 bytes (+752)"),
        (hmt4 + ["--fail-on=failed-tests"], 1, "QZTestResult gate: failed-tests: "),
        (hmt4 + ["--fail-on=new-failures"], 1, "Com_SendSignal_overflow"),
        (hmt4 + ["--fail-on=new-warnings"], 1, "3 places with a warning or error"),
        (hmt4 + ["--fail-on=coverage-drop"], 1, "CTC C0 86.1% (-1.4), GCOV C0 81.7% (-1.0)"),
        (hmt4 + ["--fail-on=new-findings"], 1, "QAC 9 findings (+1)"),
        (["--platform=Zelo", f"--fail-on={ALL_GATES}"], 0, "warnings 4 (+0 new, -3 fixed)"),
        # The first build has no previous one: only failed-tests can fail.
        (hmt4 + [f"--hash_value={FIRST}", "--fail-on=new-warnings,new-findings"], 0, FIRST),
        (hmt4 + [f"--hash_value={FIRST}", "--fail-on=failed-tests"], 1, "1 failed test"),
        (hmt4 + [f"--hash_value={SECOND}"], 0, f"Hmt4 {SECOND}: tests 11 passed, 1 failed (+0)"),
        # A build that never reached the database fails the gates it was judged by.
        (hmt4 + ["--hash_value=feedbeef", "--fail-on=failed-tests"], 1,
         "QZTestResult gate: no build: the database holds no rows of build feedbeef"),
        (["--project_name=Nothing"], 0, "no rows for what was asked"),
        (["--fail-on=failed-tests,fewer-tests"], 255,
         'Unknown --fail-on condition "fewer-tests"; the conditions are failed-tests, '
         "new-failures, new-warnings, coverage-drop, new-findings"),
        (["--builds=0"], 255, "--builds takes a number from 1 to 100"),
        (["--input=x"], 255, "Unknown report option: --input=x"),
    ]
    for extra, status, text in cases:
        got, output = run_report(program, f"--database={database}", f"--output={page}",
                                 f"--json={data}", *extra)
        expect(got == status and text in output, f"{extra}: status {got}, output:\n{output}")
    got, output = run_report(program, f"--database={database}")
    expect(got == 255 and "Usage: QZTestResult.exe report" in output, f"no --output: {output}")
    if not database.startswith("postgres"):
        check_refusals(program, database, work)


def check_refusals(program, database, work):
    """Outputs that would overwrite the database or each other, databases
    that cannot be read, and the precedence of their statuses over a gate."""
    page = str(work / "page.html")
    before = hashlib.sha256(Path(database).read_bytes()).digest()
    not_a_database = work / "text.db"
    not_a_database.write_text("not a database\n")
    empty = work / "empty.db"
    sqlite3.connect(empty).close()
    cases = [
        ([f"--database={database}", f"--output={database}"], 253,
         "Output and database are the same file"),
        ([f"--database={database}", f"--output={page}", f"--json={page}"], 253,
         "Page and JSON are the same file"),
        ([f"--database={database}", f"--output={work}/missing/page.html", "--fail-on=failed-tests"],
         253, "Could not open output file"),
        ([f"--database={work}/missing.db", f"--output={page}", "--fail-on=failed-tests"], 250,
         "Could not read database: unable to open database file"),
        ([f"--database={not_a_database}", f"--output={page}"], 250, "Could not read database: "),
        ([f"--database={empty}", f"--output={page}"], 0, "holds none of the tables"),
    ]
    for arguments, status, text in cases:
        got, output = run_report(program, *arguments)
        expect(got == status and text in output, f"{arguments}: status {got}, output:\n{output}")
    expect(hashlib.sha256(Path(database).read_bytes()).digest() == before,
           "the report changed the database")
    expect("holds none of the tables" in Path(page).read_text(), "the empty database's page")


# Just the columns the report reads.
LARGE_TABLES = {
    "ut_results": "platform, project, tool, githash, date, time, type, name, result",
    "ut_coverage": "platform, project, tool, githash, date, time, C0_tested_lines, "
                   "C0_testable_lines, C1_tested_lines, C1_testable_lines, function_name",
    "compiler_results": "platform, project, githash, date, time, filename, line, type, "
                        "error_id, error_num",
    "compiler_map": "platform, project, githash, date, time, originhex, origindec, sizehex, "
                    "sizedec, section, filename",
    "q_results": "platform, project, tool, githash, date, time, filename, misra_0, misra_1, "
                 "misra_2, misra_3, misra_4, misra_5, misra_6, misra_7, misra_8, misra_9, his",
}


def large_rows(table, section, build, long):
    """Rows of one build: one of each kind, and in the last two builds 60
    that differ from one build to the next, with long names everywhere."""
    lead = [f"platform{section}{long}", f"project{section}{long}"]
    stamp = [f"{build:040x}{long}", "2023-01-01", f"{build // 60:02d}:{build % 60:02d}:00"]
    count = 60 if build >= 99 else 1
    for n in range(count):
        name = f"{build % 2}_{n}_{long}"
        tool = [f"tool{n % 12}{long}"] if table in ("ut_results", "ut_coverage", "q_results") else []
        yield lead + tool + stamp + {
            "ut_results": [long, name, "failed" if n % 2 else "passed"],
            # The first twelve are the summaries of twelve tools.
            "ut_coverage": [100 - build, 100, 50 - build % 50, 60, name if n >= 12 else ""],
            "compiler_results": [name, n, "warning", name, n],
            "compiler_map": ["0", 0, "0", build * 10 + n, name, name],
            "q_results": [name] + [build + n] * 11,
        }[table]


def check_page_size(program, work):
    """Many projects and platforms with long names, long histories, many
    tools and full change lists: the page stays under 2 MB."""
    database = work / "large.db"
    connection = sqlite3.connect(database)
    for table, columns in LARGE_TABLES.items():
        connection.execute(f"create table {table} ({columns})")
        rows = [row for section in range(8) for build in range(101)
                for row in large_rows(table, section, build, "x" * 300)]
        marks = ", ".join("?" * len(columns.split(", ")))
        connection.executemany(f"insert into {table} values ({marks})", rows)
    connection.commit()
    connection.close()
    page = work / "large.html"
    status, output = run_report(program, f"--database={database}", f"--output={page}",
                                "--builds=100")
    size = page.stat().st_size if page.exists() else 0
    expect(status == 0 and 1_000_000 < size < 2_000_000, f"status {status}, page of {size} bytes")


def check_source_date_epoch(program, work):
    log = work / "tests.log"
    log.write_text("  Test: a() ....passed\n")
    run = subprocess.run([program, f"--input={log}", f"--output={work / 'out.sql'}",
                          "--platform=Hmt4", "--test_type=Unit", "--project_name=P",
                          "--tool_name=T", "--hash_value=H", "--parser_type=PassFail"],
                         env={**os.environ, "SOURCE_DATE_EPOCH": "1.5"},
                         stdout=subprocess.PIPE, text=True)
    expect(run.returncode == 255 and "SOURCE_DATE_EPOCH is not a count of seconds" in run.stdout,
           f"SOURCE_DATE_EPOCH=1.5: {run.returncode} {run.stdout}")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    program = Path(sys.argv[1]).resolve()
    with tempfile.TemporaryDirectory(prefix="qz-report-") as work_name:
        work = Path(work_name)
        database = history_database(program, work)
        status, output = run_report(program, f"--database={database}",
                                    f"--output={work / 'page.html'}",
                                    f"--json={work / 'report.json'}")
        if status != 0:
            print(f"FAILED: the report ended with {status}: {output}")
            return 1
        check_figures(json.loads((work / "report.json").read_text()))
        check_runs(program, database, work)
        check_page_size(program, work)
        check_source_date_epoch(program, work)
    for failure in failures:
        print(f"FAILED: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
