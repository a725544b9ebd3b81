"""Headless Chromium driven through the DevTools protocol over
--remote-debugging-pipe, for the tests that open the program's pages as a
person would; only the Python standard library is needed."""

import base64
import json
import os
import select
import shutil
import subprocess
import sys
import time
from pathlib import Path

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


def program_and_chromium(usage):
    """The program that the test's command line names and the Chromium to
    run; exits with `usage` when the command line is wrong, and with status
    0 and "SKIPPED: ..." where no Chromium is installed."""
    if len(sys.argv) != 2:
        sys.exit(usage)
    chromium = find_chromium()
    if chromium is None:
        print("SKIPPED: chromium is not installed (apt-get install chromium)")
        sys.exit(0)
    return Path(sys.argv[1]), chromium


def artefacts_folder(program):
    """Where screenshots go: $QZ_TEST_ARTEFACTS, by default test-artefacts/
    beside PROGRAM (the top of the build directory)."""
    return Path(os.environ.get("QZ_TEST_ARTEFACTS")
                or Path(program).resolve().parent / "test-artefacts")


class Browser:
    """Headless Chromium with a DevTools connection over two pipes: the
    browser reads commands from its fd 3 and writes replies to its fd 4, each
    message a JSON text ended by a NUL byte."""

    def __init__(self, chromium, work):
        work.mkdir()
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()

        def move_pipe_ends_to_3_and_4():
            commands, replies = os.dup(to_browser_r), os.dup(from_browser_w)
            os.dup2(commands, 3)
            os.dup2(replies, 4)

        self.log_path = work / "chromium.log"
        self.log = open(self.log_path, "w")
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
        self.handlers = {}  # event name -> function answering it as it arrives
        self.posted = set()  # ids of commands nobody waits for
        self.session = None

    def write(self, method, params, session):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        return self.next_id

    def send(self, method, params=None, session=True):
        number = self.write(method, params, session)
        reply = self.wait_for(lambda m: m.get("id") == number, method)
        check("error" not in reply, f"{method} failed: {reply.get('error')}")
        return reply.get("result", {})

    def post(self, method, params):
        """Sends a command from an event handler, which must not wait: its
        reply is checked when it comes."""
        self.posted.add(self.write(method, params, True))

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
                if message.get("id") in self.posted:
                    self.posted.discard(message["id"])
                    check("error" not in message,
                          f"the browser refused: {message.get('error')}")
                elif message.get("method") in self.handlers:
                    self.handlers[message["method"]](message["params"])
                elif wanted(message):
                    return message
                elif "method" in message:
                    self.events.append(message)
                continue
            left = deadline - time.monotonic()
            check(left > 0, f"no answer from the browser for {what}")
            ready, _, _ = select.select([self.from_browser], [], [], left)
            if ready:
                chunk = os.read(self.from_browser, 1 << 16)
                check(chunk, f"the browser closed its pipe while waiting for {what}")
                self.buffer += chunk

    def answer_requests(self, answer, patterns=("http://*", "https://*")):
        """Answers every request for a URL of `patterns` with what
        answer(url) gives, (headers, body bytes), or fails it where that is
        None. The URLs answered are kept in `served`."""
        self.served = []

        def respond(params):
            url = params["request"]["url"].split("#")[0].split("?")[0]
            response = answer(url)
            if response is None:
                self.post("Fetch.failRequest",
                          {"requestId": params["requestId"], "errorReason": "InternetDisconnected"})
                return
            headers, body = response
            self.post("Fetch.fulfillRequest", {
                "requestId": params["requestId"], "responseCode": 200,
                "responseHeaders": [{"name": name, "value": value}
                                    for name, value in headers.items()],
                "body": base64.b64encode(body).decode()})
            self.served.append(url)

        self.handlers["Fetch.requestPaused"] = respond
        self.send("Fetch.enable", {"patterns": [{"urlPattern": p} for p in patterns]})

    def open_page(self, url, answer=None, scripts=True):
        """Opens `url` (a path is opened as a file: URL) in the browser's
        page; with `answer`, requests are answered as answer_requests does;
        without `scripts`, the page's scripts do not run."""
        targets = self.send("Target.getTargets", session=False)["targetInfos"]
        page = next(t for t in targets if t["type"] == "page")
        self.session = self.send("Target.attachToTarget",
                                 {"targetId": page["targetId"], "flatten": True},
                                 session=False)["sessionId"]
        for domain in ("Runtime", "Page", "Log"):
            self.send(f"{domain}.enable")
        if not scripts:
            self.send("Emulation.setScriptExecutionDisabled", {"value": True})
        if answer is not None:
            self.answer_requests(answer)
        self.send("Page.navigate", {"url": url.as_uri() if isinstance(url, Path) else url})
        self.wait_for(lambda m: m.get("method") == "Page.loadEventFired", "the page load")

    def evaluate(self, expression, await_promise=False):
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": await_promise})
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

    def screenshot(self, path, whole_page=False):
        """A PNG of the window, or with `whole_page` of the page's whole
        length."""
        params = {"format": "png"}
        if whole_page:
            height = self.evaluate("document.documentElement.scrollHeight")
            width = self.evaluate("document.documentElement.scrollWidth")
            params.update(captureBeyondViewport=True,
                          clip={"x": 0, "y": 0, "width": width, "height": height, "scale": 1})
        data = self.send("Page.captureScreenshot", params)["data"]
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(base64.b64decode(data))

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
