#!/usr/bin/env python3
"""Opens the report page of the builds of examples/history in headless
Chromium as a Jenkins server shows an archived file: served over HTTP (from
the DevTools Fetch domain) with the Content-Security-Policy header Jenkins
sets, which blocks scripts, style blocks and style attributes, and with
scripts disabled as well. The page must load nothing else, every chart must
have an area on the screen, its points must carry tooltips, a table must
follow it, and worse and better changes must show in different colours.

    report_page_in_browser_test.py PROGRAM

Keeps a screenshot of the whole page in $QZ_TEST_ARTEFACTS (by default
test-artefacts/ beside PROGRAM). Prints "SKIPPED: ..." and exits 0 when no
Chromium is installed; exits 1 on the first failed check.
"""

import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "support"))
from browser import (Browser, CheckFailed, artefacts_folder, check,  # noqa: E402
                     program_and_chromium)
from report_history import history_database, run_report  # noqa: E402

POLICY = "sandbox; default-src 'none'; img-src 'self'; style-src 'self'"
PAGE_URL = "http://jenkins.test/job/k7qx22/lastSuccessfulBuild/artifact/report.html"
# Hmt4 is drawn in full: tests twice, coverage, compiler, QAC, memory.
HMT4_CHARTS = 6

LAYOUT = """(() => {
    const boxes = [...document.querySelectorAll("section svg")].map(svg => {
        const r = svg.getBoundingClientRect();
        const figure = svg.closest("figure");
        return {width: r.width, height: r.height,
                points: svg.querySelectorAll("circle").length,
                tooltips: svg.querySelectorAll("circle > title").length,
                table: figure.nextElementSibling && figure.nextElementSibling.tagName};
    });
    const colour = text => [...document.querySelectorAll("font")]
        .filter(f => f.textContent.endsWith(text)).map(f => getComputedStyle(f).color)[0];
    return {charts: boxes, worse: colour("(worse)"), better: colour("(better)"),
            styled: getComputedStyle(document.body).fontFamily.includes("system-ui"),
            sections: document.querySelectorAll("section").length};
})()"""


def check_page(browser):
    check(browser.served == [PAGE_URL], f"the page loaded more than itself: {browser.served}")
    layout = browser.evaluate(LAYOUT)
    check(not layout["styled"], "the style block applied although the policy forbids it")
    check(layout["sections"] == 2, f"{layout['sections']} sections, expected Hmt4 and Zelo")
    charts = layout["charts"]
    check(len(charts) > HMT4_CHARTS, f"only {len(charts)} charts")
    for number, chart in enumerate(charts):
        check(chart["width"] > 100 and chart["height"] > 100, f"chart {number} is {chart}")
        check(chart["points"] > 0 and chart["tooltips"] == chart["points"],
              f"chart {number} has points without tooltips: {chart}")
        check(chart["table"] == "TABLE", f"chart {number} is followed by {chart['table']}")
    check(layout["worse"] and layout["better"] and layout["worse"] != layout["better"],
          f"worse shows in {layout['worse']}, better in {layout['better']}")


def main():
    program, chromium = program_and_chromium(__doc__)
    screenshot = artefacts_folder(program) / "report_page.png"
    with tempfile.TemporaryDirectory(prefix="qz-report-browser-") as work_name:
        work = Path(work_name)
        database = history_database(program, work)
        page = work / "report.html"
        status, output = run_report(program, f"--database={database}", f"--output={page}")
        if status != 0:
            print(f"FAILED: the report ended with {status}: {output}")
            return 1
        answer = {PAGE_URL: ({"Content-Type": "text/html; charset=utf-8",
                              "Content-Security-Policy": POLICY}, page.read_bytes())}
        browser = Browser(chromium, work / "browser")
        try:
            browser.open_page(PAGE_URL, answer.get, scripts=False)
            check_page(browser)
            browser.screenshot(screenshot, whole_page=True)
        except CheckFailed as failure:
            print(f"FAILED: {failure}\n{browser.log_path.read_text()[-4000:]}")
            return 1
        finally:
            browser.close()
    print(f"every chart shows with its tooltips and table under the policy; screenshot {screenshot}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
