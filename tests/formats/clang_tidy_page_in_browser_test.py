#!/usr/bin/env python3
"""Opens a clang-tidy page that QZTestResult wrote in headless Chromium and
uses it as a person would: clicks every file in the list, collapses and
restores the list, and reads a message with markup characters.

    page_in_browser_test.py PROGRAM

Runs twice. Offline, every host name fails to resolve, so the page's style
sheet and scripts from the web do not load and the page's own fallback rules
must keep it usable. "With network", the requests for those files are answered
from the Debian packages libjs-bootstrap and libjs-jquery (this run reports
itself skipped where they are missing) and every other request fails.

The browser is driven through the DevTools protocol over
--remote-debugging-pipe; only the Python standard library is needed. A
screenshot of each run goes to $QZ_TEST_ARTEFACTS, by default to
test-artefacts/ beside PROGRAM (the top of the build directory). Prints
"SKIPPED: ..." and exits 0 when no Chromium is installed; exits 1 on the first
failed check.
"""

import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path
from urllib.parse import urljoin

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "support"))
from browser import (TIMEOUT_SECONDS, Browser, CheckFailed, artefacts_folder,  # noqa: E402
                     check, program_and_chromium)

INPUT = """\
3 warnings generated.
src/engine/motor_ctrl.cpp:41:5: warning: use nullptr [modernize-use-nullptr]
    int *p = 0;
             ^
lib/util.h:3:1: warning: use 'using' instead of 'typedef' [modernize-use-using]
typedef std::vector<int> Ints;
^~~~~~~~~~~~~~~~~~~~~~~~~~~~~~
..\\src\\main.c:7:3: warning: suspicious text </pre><script>window.injected = 1;</script> [misc-x]
"""

# Groups come out in byte order of their paths.
FILES = ["main.c", "util.h", "motor_ctrl.cpp"]
TYPED_TEXT = "typedef std::vector<int> Ints;"
INJECTED_TEXT = "</pre><script>window.injected = 1;</script>"

# What the page loads from the web, and the Debian files that stand in for it
# (Bootstrap 3.4.1 and jQuery 3.6.1, close enough to the page's 3.3.7 and 3.3.1).
BOOTSTRAP_CSS_URL = "https://maxcdn.bootstrapcdn.com/bootstrap/3.3.7/css/bootstrap.min.css"
CDN_FILES = {
    BOOTSTRAP_CSS_URL: "/usr/share/javascript/bootstrap/css/bootstrap.min.css",
    "https://maxcdn.bootstrapcdn.com/bootstrap/3.3.7/js/bootstrap.min.js":
        "/usr/share/javascript/bootstrap/js/bootstrap.min.js",
    "https://ajax.googleapis.com/ajax/libs/jquery/3.3.1/jquery.min.js":
        "/usr/share/javascript/jquery/jquery.min.js",
}
CONTENT_TYPES = {".css": "text/css", ".js": "text/javascript", ".woff2": "font/woff2",
                 ".woff": "font/woff", ".ttf": "font/ttf", ".eot": "application/vnd.ms-fontobject",
                 ".svg": "image/svg+xml"}

def local_cdn_files():
    """URL -> local file for everything the page loads from the web, the fonts
    that the style sheet refers to included; None and what is missing when a
    file is not installed."""
    missing = [path for path in CDN_FILES.values() if not Path(path).is_file()]
    if missing:
        return None, missing
    files = dict(CDN_FILES)
    css_path = Path(CDN_FILES[BOOTSTRAP_CSS_URL])
    references = set(re.findall(r'url\("?([^")?#]+)', css_path.read_text()))
    for reference in references:
        path = Path(os.path.normpath(css_path.parent / reference))
        if not path.is_file():
            missing.append(str(path))
        files[urljoin(BOOTSTRAP_CSS_URL, reference)] = str(path)
    return (None, missing) if missing else (files, [])


def web_answer(files):
    """Answers a request for the web with the local file `files` names for
    its URL."""
    def answer(url):
        if url not in files:
            return None
        path = Path(files[url])
        # Fonts are fetched with CORS from the file: page.
        return ({"Content-Type": CONTENT_TYPES.get(path.suffix, ""),
                 "Access-Control-Allow-Origin": "*"}, path.read_bytes())
    return answer


def write_page(program, work):
    input_path = work / "clang-tidy.txt"
    page_path = work / "page.html"
    input_path.write_text(INPUT)
    run = subprocess.run(
        [program, f"--input={input_path}", f"--output={page_path}", "--platform=Hmt4",
         "--test_type=Unit", "--project_name=P", "--tool_name=T", "--hash_value=H",
         "--parser_type=ClangTidy"],
        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=TIMEOUT_SECONDS)
    check(run.returncode == 0, f"QZTestResult ended with {run.returncode}: {run.stdout}")
    check("Report has been built successfully" in run.stdout, f"no success line: {run.stdout}")
    return page_path


def shown_state(browser):
    """Which sections are displayed, and whether the list is."""
    return browser.evaluate(f"""(() => {{
        const shown = e => getComputedStyle(e).display !== "none" && e.getClientRects().length > 0;
        const sections = [...Array({len(FILES)}).keys()].map(i => document.getElementById(String(i)));
        return {{sections: sections.map(shown), list: shown(document.getElementById("list"))}};
    }})()""")


def check_list_layout(browser):
    """The entries stand one below the other, each a bordered box at least a
    text line high that shows the hand cursor."""
    entries = browser.evaluate("""[...document.querySelectorAll("#list a")].map(a => {
        const r = a.getBoundingClientRect(), s = getComputedStyle(a);
        return {top: r.top, bottom: r.bottom, height: r.height, lineHeight: s.lineHeight,
                fontSize: parseFloat(s.fontSize), border: parseFloat(s.borderBottomWidth),
                borderStyle: s.borderBottomStyle, cursor: s.cursor};
    })""")
    for number, entry in enumerate(entries):
        line = entry["lineHeight"]  # "normal" or a length in px
        line = entry["fontSize"] if line == "normal" else float(line.removesuffix("px"))
        check(entry["height"] >= line, f"list entry {number} is lower than a line: {entry}")
        check(entry["border"] >= 1 and entry["borderStyle"] != "none",
              f"list entry {number} has no border: {entry}")
        check(entry["cursor"] == "pointer",
              f"list entry {number} shows the cursor {entry['cursor']}")
        if number > 0:
            above = entries[number - 1]
            # Neighbours may share one border line, as in a Bootstrap list.
            check(entry["top"] >= above["bottom"] - above["border"],
                  f"list entries {number - 1} and {number} overlap or share a line:"
                  f" {above} {entry}")


def check_page(browser):
    names = browser.evaluate(
        '[...document.querySelectorAll("#list a")].map(a => a.textContent.trim())')
    check(names == FILES, f"list entries {names}, expected {FILES}")
    check(shown_state(browser)["sections"] == [False] * len(FILES), "a section shows at first")
    check_list_layout(browser)

    for number in [0, 1, 2, 1, 1, 0]:
        browser.click(f'document.querySelectorAll("#list a")[{number}]', f"list entry {number}")
        wanted = [i == number for i in range(len(FILES))]
        state = shown_state(browser)
        check(state["sections"] == wanted,
              f"after clicking entry {number} the sections show as {state['sections']}")
        title = browser.evaluate(f'document.getElementById("{number}").querySelector("h4").innerText')
        check(title.strip() == FILES[number], f"section {number} is titled {title!r}")

    covered = browser.evaluate("""(() => {
        const section = document.getElementById("0").getBoundingClientRect();
        return [...document.querySelectorAll("#list a")]
            .map(a => a.getBoundingClientRect().right - section.left);
    })()""")
    check(all(width < 0.5 for width in covered), f"the list covers the section by {covered} px")

    button = 'document.getElementById("0").querySelector("button")'
    label = browser.evaluate(f"""(() => {{
        const r = {button}.querySelector("span").getBoundingClientRect();
        return [r.width, r.height];
    }})()""")
    check(label[0] > 0 and label[1] > 0, f"the collapse button shows no sign: {label}")
    browser.click(button, "the collapse button")
    check(not shown_state(browser)["list"], "the list still shows after collapsing it")
    browser.click(button, "the collapse button")
    check(shown_state(browser)["list"], "the list does not come back")
    check(shown_state(browser)["sections"] == [True, False, False], "collapsing changed a section")

    browser.click('document.querySelectorAll("#list a")[1]', "list entry 1")
    shown_text = browser.evaluate('document.getElementById("1").querySelector("pre").innerText')
    check(TYPED_TEXT in shown_text, f"the <int> message shows as {shown_text!r}")
    check(browser.evaluate('document.getElementsByTagName("int").length') == 0,
          "<int> became an element")
    browser.click('document.querySelectorAll("#list a")[0]', "list entry 0")
    shown_text = browser.evaluate('document.getElementById("0").querySelector("pre").innerText')
    check(INJECTED_TEXT in shown_text, f"the markup message shows as {shown_text!r}")
    check(browser.evaluate("typeof window.injected") == "undefined", "message text ran as script")

    errors = browser.script_errors()
    check(not errors, f"script errors: {errors}")


# How the list entries and the collapse button look: their sizes and the
# computed properties that the page's fallback rules or Bootstrap set.
LOOK = """(() => {
    const properties = ["content", "display", "position", "padding", "margin", "border",
                        "border-radius", "background-color", "color", "cursor",
                        "text-decoration-line", "font-family", "font-size", "line-height"];
    const look = (element, pseudo) => {
        const s = getComputedStyle(element, pseudo), r = element.getBoundingClientRect();
        const values = pseudo ? {} : {width: r.width, height: r.height};
        for (const p of properties) values[p] = s.getPropertyValue(p);
        return values;
    };
    const button = document.getElementById("0").querySelector("button");
    const looks = {"the collapse button": look(button),
                   "its icon": look(button.querySelector("span")),
                   "its icon's ::before": look(button.querySelector("span"), "::before")};
    document.querySelectorAll("#list a").forEach((a, i) => looks[`list entry ${i}`] = look(a));
    return looks;
})()"""


def check_bootstrap(browser):
    """Bootstrap's style sheet, icon font and script work, and the page's
    fallback rules change nothing of the look they give."""
    missing = [url for url in CDN_FILES if url not in browser.served]
    check(not missing, f"the page did not ask for {missing}")
    applied = browser.evaluate("""(() => {
        const span = document.getElementById("0").querySelector("button span");
        return [getComputedStyle(document.body).fontFamily, getComputedStyle(span).fontFamily,
                typeof jQuery === "function" && typeof jQuery.fn.collapse === "function"];
    })()""")
    check("Helvetica Neue" in applied[0], f"Bootstrap's style sheet did not apply: {applied}")
    check("Glyphicons Halflings" in applied[1], f"the button has no icon font: {applied}")
    check(applied[2], "jQuery or Bootstrap's script did not load")
    faces = browser.evaluate('document.fonts.load(\'14px "Glyphicons Halflings"\', "\\ue257")'
                             '.then(faces => faces.map(face => face.status))', await_promise=True)
    check(faces and all(status == "loaded" for status in faces), f"the icon font: {faces}")

    with_fallbacks = browser.evaluate(LOOK)
    browser.evaluate('document.querySelector("style").disabled = true')
    without_fallbacks = browser.evaluate(LOOK)
    browser.evaluate('document.querySelector("style").disabled = false')
    changed = [f"{element} {name}: {value} (without them {without_fallbacks[element][name]})"
               for element, values in with_fallbacks.items() for name, value in values.items()
               if value != without_fallbacks[element][name]]
    check(not changed, f"the page's own rules change Bootstrap's look: {changed}")


def run(chromium, page, work, mode, web_files, screenshot):
    """Opens the page in a fresh browser, checks it and keeps a screenshot.
    Returns an error message, or None."""
    browser = Browser(chromium, work / mode.replace(" ", "_"))
    try:
        browser.open_page(page, None if web_files is None else web_answer(web_files))
        if web_files is None:
            web = browser.evaluate(
                '[getComputedStyle(document.body).fontFamily, typeof jQuery]')
            check("Helvetica Neue" not in web[0] and web[1] == "undefined",
                  f"offline, yet files from the web loaded: {web}")
        check_page(browser)
        if web_files is not None:
            check_bootstrap(browser)
        browser.screenshot(screenshot)
    except CheckFailed as failure:
        try:
            browser.screenshot(screenshot)
        except (CheckFailed, OSError):
            pass
        browser.close()
        return f"{failure}\n{browser.log_path.read_text()[-4000:]}"
    browser.close()
    return None


def main():
    program, chromium = program_and_chromium(__doc__)
    artefacts = artefacts_folder(program)
    web_files, missing = local_cdn_files()
    modes = [("offline", None)]
    if web_files is None:
        # Not "SKIPPED:", which would make CTest count the offline run as skipped.
        print(f"with network: skipped, missing {missing}"
              " (apt-get install libjs-bootstrap libjs-jquery)")
    else:
        modes.append(("with network", web_files))
    with tempfile.TemporaryDirectory(prefix="qz-browser-") as work_name:
        work = Path(work_name)
        try:
            page = write_page(program, work)
        except CheckFailed as failure:
            print(f"FAILED: {failure}")
            return 1
        for mode, files in modes:
            screenshot = artefacts / f"clang_tidy_page_{mode.replace(' ', '_')}.png"
            failure = run(chromium, page, work, mode, files, screenshot)
            if failure is not None:
                print(f"FAILED ({mode}): {failure}")
                return 1
            print(f"{mode}: every list entry, the collapse button and literal message text work;"
                  f" screenshot {screenshot}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
