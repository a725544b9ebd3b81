#!/usr/bin/env python3
"""Opens a clang-tidy page that QZTestResult wrote in headless Chromium and
uses it as a person would: clicks every file in the list, collapses and
restores the list, and reads a message with markup characters.

    page_in_browser_test.py PROGRAM

The browser runs offline (every host name fails to resolve, so the page's
style sheet and scripts from the web do not load) and is driven through the
DevTools protocol over --remote-debugging-pipe; only the Python standard
library is needed. Prints "SKIPPED: ..." and exits 0 when no Chromium is
installed; exits 1 on the first failed check.
"""

import json
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

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

TIMEOUT_SECONDS = 60


class CheckFailed(Exception):
    pass


def check(condition, what):
    if not condition:
        raise CheckFailed(what)


def find_chromium():
    for name in (os.environ.get("QZ_CHROMIUM", ""), "chromium", "chromium-browser"):
        if name and shutil.which(name):
            return shutil.which(name)
    return None


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


class Browser:
    """Headless Chromium with a DevTools connection over two pipes: the
    browser reads commands from its fd 3 and writes replies to its fd 4, each
    message a JSON text ended by a NUL byte."""

    def __init__(self, chromium, work):
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()

        def move_pipe_ends_to_3_and_4():
            commands, replies = os.dup(to_browser_r), os.dup(from_browser_w)
            os.dup2(commands, 3)
            os.dup2(replies, 4)

        self.log = open(work / "chromium.log", "w")
        self.process = subprocess.Popen(
            [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
             "--no-first-run", "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--disable-extensions", "--disable-dev-shm-usage",
             "--host-resolver-rules=MAP * ~NOTFOUND", "--window-size=1280,900",
             f"--user-data-dir={work / 'profile'}", "--remote-debugging-pipe", "about:blank"],
            stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log,
            preexec_fn=move_pipe_ends_to_3_and_4, close_fds=False)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.next_id = 0
        self.buffer = b""
        self.events = []
        self.session = None

    def send(self, method, params=None, session=True):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        reply = self.wait_for(lambda m: m.get("id") == self.next_id, method)
        check("error" not in reply, f"{method} failed: {reply.get('error')}")
        return reply.get("result", {})

    def wait_for(self, wanted, what):
        """Reads messages until `wanted` accepts one; keeps the events."""
        deadline = time.monotonic() + TIMEOUT_SECONDS
        while True:
            for index, message in enumerate(self.events):
                if wanted(message):
                    return self.events.pop(index)
            end = self.buffer.find(b"\0")
            if end >= 0:
                message = json.loads(self.buffer[:end])
                self.buffer = self.buffer[end + 1:]
                if wanted(message):
                    return message
                if "method" in message:
                    self.events.append(message)
                continue
            left = deadline - time.monotonic()
            check(left > 0, f"no answer from the browser for {what}")
            ready, _, _ = select.select([self.from_browser], [], [], left)
            if ready:
                chunk = os.read(self.from_browser, 1 << 16)
                check(chunk, f"the browser closed its pipe while waiting for {what}")
                self.buffer += chunk

    def open_page(self, path):
        targets = self.send("Target.getTargets", session=False)["targetInfos"]
        page = next(t for t in targets if t["type"] == "page")
        self.session = self.send("Target.attachToTarget",
                                 {"targetId": page["targetId"], "flatten": True},
                                 session=False)["sessionId"]
        for domain in ("Runtime", "Page", "Log"):
            self.send(f"{domain}.enable")
        self.send("Page.navigate", {"url": path.as_uri()})
        self.wait_for(lambda m: m.get("method") == "Page.loadEventFired", "the page load")

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True})
        check("exceptionDetails" not in result, f"{expression}: {result.get('exceptionDetails')}")
        return result["result"].get("value")

    def click(self, element_expression, what):
        """Moves the mouse to the middle of the element and clicks there, so
        the browser decides by hit testing what receives the click."""
        box = self.evaluate(f"""(() => {{
            const element = {element_expression};
            element.scrollIntoView({{block: "center"}});
            const r = element.getBoundingClientRect();
            return [r.left + r.width / 2, r.top + r.height / 2, r.width, r.height];
        }})()""")
        check(box[2] > 0 and box[3] > 0, f"{what} has no area on the screen: {box}")
        x, y = box[0], box[1]
        self.send("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x, "y": y})
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent",
                      {"type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})

    def script_errors(self):
        self.evaluate("0")  # collects the events that arrived so far
        errors = []
        for event in self.events:
            method, params = event.get("method"), event.get("params", {})
            if method == "Runtime.exceptionThrown":
                errors.append(params["exceptionDetails"])
            elif method == "Runtime.consoleAPICalled" and params.get("type") == "error":
                errors.append(params["args"])
            elif (method == "Log.entryAdded" and params["entry"].get("level") == "error"
                  and params["entry"].get("source") == "javascript"):
                errors.append(params["entry"])
        return errors

    def close(self):
        try:
            if self.process.poll() is None:
                self.send("Browser.close", session=False)
                self.process.wait(timeout=10)
        except (CheckFailed, OSError, subprocess.TimeoutExpired):
            self.process.kill()
            self.process.wait()
        os.close(self.to_browser)
        os.close(self.from_browser)
        self.log.close()


def shown_state(browser):
    """Which sections are displayed, and whether the list is."""
    return browser.evaluate(f"""(() => {{
        const shown = e => getComputedStyle(e).display !== "none" && e.getClientRects().length > 0;
        const sections = [...Array({len(FILES)}).keys()].map(i => document.getElementById(String(i)));
        return {{sections: sections.map(shown), list: shown(document.getElementById("list"))}};
    }})()""")


def check_page(browser):
    names = browser.evaluate(
        '[...document.querySelectorAll("#list a")].map(a => a.textContent.trim())')
    check(names == FILES, f"list entries {names}, expected {FILES}")
    check(shown_state(browser)["sections"] == [False] * len(FILES), "a section shows at first")

    for number in [0, 1, 2, 1, 1, 0]:
        browser.click(f'document.querySelectorAll("#list a")[{number}]', f"list entry {number}")
        wanted = [i == number for i in range(len(FILES))]
        state = shown_state(browser)
        check(state["sections"] == wanted,
              f"after clicking entry {number} the sections show as {state['sections']}")
        title = browser.evaluate(f'document.getElementById("{number}").querySelector("h4").innerText')
        check(title.strip() == FILES[number], f"section {number} is titled {title!r}")

    button = 'document.getElementById("0").querySelector("button")'
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


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    chromium = find_chromium()
    if chromium is None:
        print("SKIPPED: chromium is not installed (apt-get install chromium)")
        return 0
    with tempfile.TemporaryDirectory(prefix="qz-browser-") as work_name:
        work = Path(work_name)
        browser = None
        try:
            page = write_page(sys.argv[1], work)
            browser = Browser(chromium, work)
            browser.open_page(page)
            check_page(browser)
        except CheckFailed as failure:
            print(f"FAILED: {failure}")
            if browser is not None:
                browser.close()
                print((work / "chromium.log").read_text()[-4000:])
            return 1
        browser.close()
    print("passed: every list entry, the collapse button and literal message text work")
    return 0


if __name__ == "__main__":
    sys.exit(main())
