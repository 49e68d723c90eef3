#!/usr/bin/env python3
"""The web console in headless Chromium, against a resident merovand that
serves it and prints on merovan-sim over UDP on loopback.

Exit status 0 when every check holds, 1 when one fails, 77 (skipped) when
selenium, Chromium or its driver is missing. With MEROVAN_SCREENSHOTS=1 the
page is also saved at 360 and 1280 pixels wide into the --screens folder.
"""
import argparse
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request
import uuid

SKIPPED = 77
TOKEN = "5e3a9c1f0b7d4e2a8c6f1d3b9a7e5c2f"
Z_CAPTION = "Iσοζ. Z (Οικονομικό-Hμερήσιο)"
OFFLINE_TEXT = "Φορολογικός Εκτυπωτής Off-Line, Εκτυπώσεις Ανενεργές !"
# What the page promises: a lost register or bridge shows within 2 seconds.
BANNER_SECONDS = 2.0
# The items' text begins with this, so the log's lines of a job are known.
ITEM = "CAFE"

try:
    from selenium import webdriver
    from selenium.common.exceptions import WebDriverException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
except ImportError:
    print("SKIP: python3-selenium is not installed for", sys.executable)
    sys.exit(SKIPPED)


class Failure(AssertionError):
    pass


def wait_until(condition, seconds, what):
    """Polls condition every 50 ms; its first true value, or a failure naming
    what did not come (a hang guard, or the page's own promise)."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise Failure(f"not within {seconds} s: {what}")
        time.sleep(0.05)


def check(condition, what):
    if not condition:
        raise Failure(what)


def free_port(kind, address):
    with socket.socket(socket.AF_INET, kind) as probe:
        probe.bind((address, 0))
        return probe.getsockname()[1]


def receipt(tag, items):
    """A receipt of items at one euro each, in cash, in the job-file layout."""
    lines = [f"tag:  {tag}"]
    for i in range(1, items + 1):
        lines.append(f" PLU {'':<14}{f'{ITEM}{i:03d} ΚΑΦΕΣ':<24}    {1:>7}  {'1.00':>9}   {24:>5}")
    lines.append(f" to    1  {f'{items}.00':>9}")
    return "".join(line + "\r\n" for line in lines)


class Bridge:
    """merovan-sim on 127.0.0.2 and a resident merovand with its host API on
    127.0.0.1, in a folder of their own."""

    def __init__(self, merovand, simulator, vats):
        self.folder = tempfile.mkdtemp(prefix="web-console-")
        self.merovand, self.simulator, self.vats = merovand, simulator, vats
        self.sim = self.bridge = None
        self.token = TOKEN
        self.url = None

    def path(self, name):
        return os.path.join(self.folder, name)

    def start(self):
        udp = free_port(socket.SOCK_DGRAM, "127.0.0.2")
        # 30 items at 100 ms a reply: a job runs long enough to be watched.
        self.sim = self.run("sim", [self.simulator, "--udp", f"127.0.0.2:{udp}", "--latency", "100",
                                    "--trace", self.path("trace.txt")])
        wait_until(lambda: "ready on" in self.output("sim"), 10, "the simulator's ready line")
        os.mkdir(self.path("jobs"))
        with open(self.path("token"), "w") as token:
            token.write(self.token + "\n")
        os.chmod(self.path("token"), 0o600)
        settings = ["[port] 127.0.0.2", f"[baud] {udp}", "[file] print", "[multi type] true",
                    "[AutoStar]=yes", "[ecrt] mikro", "[time] 0", "[print_desc] true", "[comments] true",
                    "[currency]=0", f"[location] {self.path('jobs')}/", f"[http token] {self.path('token')}"]
        with open(self.path("param.ini"), "wb") as param:
            param.write("".join(line + "\r\n" for line in settings).encode("cp1253"))
        shutil.copy(self.vats, self.path("vats.dat"))
        port = free_port(socket.SOCK_STREAM, "127.0.0.1")
        self.url = f"http://127.0.0.1:{port}"
        self.bridge = self.run("merovand", [self.merovand, "--http", f"127.0.0.1:{port}"])
        wait_until(lambda: (self.status() or {}).get("online") and self.status().get("printing"), 30,
                   "merovand printing on a register found, its API answering")

    def run(self, name, command):
        out = open(self.path(f"{name}.out"), "wb")
        err = open(self.path(f"{name}.err"), "wb")
        return subprocess.Popen(command, cwd=self.folder, stdout=out, stderr=err, stdin=subprocess.DEVNULL)

    def output(self, name):
        try:
            with open(self.path(f"{name}.out"), "rb") as out:
                return out.read().decode("utf-8", "replace")
        except FileNotFoundError:
            return ""

    def request(self, method, path, body=None, headers=None):
        request = urllib.request.Request(self.url + path, data=body, method=method, headers=headers or {})
        try:
            with urllib.request.urlopen(request, timeout=5) as answer:
                return answer.status, json.loads(answer.read())
        except urllib.error.HTTPError as error:
            return error.code, json.loads(error.read() or b"null")

    def status(self):
        try:
            return self.request("GET", "/v1/status")[1]
        except OSError:
            return None

    def post_job(self, text):
        return self.request("POST", "/v1/jobs", text.encode("utf-8"),
                            {"Content-Type": "text/plain; charset=utf-8", "Idempotency-Key": str(uuid.uuid4())})

    def kill_register(self):
        self.sim.kill()
        self.sim.wait()

    def wait_for_end(self, seconds):
        try:
            return self.bridge.wait(seconds)
        except subprocess.TimeoutExpired:
            return None

    def stop(self, keep):
        for process in (self.bridge, self.sim):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
        if not keep:
            shutil.rmtree(self.folder, ignore_errors=True)

    def evidence(self):
        return "".join(f"--- {name}\n{self.output(name)[-3000:]}\n" for name in ("merovand", "sim")) + \
            "".join(f"--- {name}.err\n{open(self.path(name + '.err'), errors='replace').read()[-3000:]}\n"
                    for name in ("merovand", "sim") if os.path.exists(self.path(name + ".err")))


def browser(width):
    chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    driver = shutil.which("chromedriver")
    if not chromium or not driver:
        print("SKIP: chromium or chromedriver is not installed")
        sys.exit(SKIPPED)
    options = webdriver.ChromeOptions()
    options.binary_location = chromium
    for argument in ("--headless=new", f"--window-size={width},900", "--no-sandbox", "--disable-gpu",
                     "--disable-dev-shm-usage", "--lang=el", "--force-device-scale-factor=1"):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service(driver), options=options)


class Page:
    """The console as the browser shows it."""

    def __init__(self, driver):
        self.driver = driver

    def js(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def text(self, element_id):
        # textContent, not the rendered text: the window's texts keep their blanks
        return self.js("return document.getElementById(arguments[0]).textContent", element_id)

    def shown(self, element_id):
        return self.js("const e = document.getElementById(arguments[0]); return !e.hidden && e.offsetParent !== null",
                       element_id)

    def log_lines(self):
        return self.js("return document.getElementById('log').childNodes.length")

    def log_count(self, text):
        return self.js("return Array.from(document.getElementById('log').childNodes)"
                       ".filter(line => line.textContent.includes(arguments[0])).length", text)

    def history_job(self, job_id):
        found = self.driver.find_elements(By.CSS_SELECTOR, f"#history li[data-job-id='{job_id}']")
        return found[0] if found else None

    def history_state(self, job_id):
        return self.js("const e = document.querySelector(`#history li[data-job-id='${arguments[0]}']`);"
                       "return e ? e.dataset.state : null", str(job_id))

    def history_kinds(self):
        return self.js("return Array.from(document.querySelectorAll('#history li'), e => e.dataset.kind)")

    def job_under_way(self):
        return self.js("const e = document.getElementById('job-now'); return e.hidden ? null : e.dataset.jobId")

    def screenshot(self, width, path):
        self.driver.set_window_size(width, 900)
        wait_until(lambda: self.js("return window.innerWidth") == width, 5, f"a window {width} px wide")
        check(self.js("return document.documentElement.scrollWidth") <= width,
              f"the page fits {width} px without scrolling sideways")
        if path:
            height = self.js("return document.documentElement.scrollHeight")
            self.driver.set_window_size(width, height + (900 - self.js("return window.innerHeight")))
            self.driver.save_screenshot(path)
            self.driver.set_window_size(width, 900)


def the_page_is_served(bridge, page):
    for path, kind in (("/", "text/html"), ("/console.css", "text/css"), ("/console.js", "text/javascript")):
        try:
            with urllib.request.urlopen(bridge.url + path, timeout=5) as answer:
                check(answer.headers.get_content_type() == kind, f"{path} served as {kind}")
        except urllib.error.HTTPError as error:
            raise Failure(f"{path} answered {error.code} {error.read()!r}: is merovan_console linked in?")


def the_page_shows_the_status(bridge, page):
    page.driver.get(bridge.url + "/")
    status = wait_until(bridge.status, 5, "the status")
    wait_until(lambda: page.text("caption") == bridge.status()["caption"], 5, "the caption from the status")
    check(page.driver.title == page.text("caption"), "the tab's title is the caption")
    wait_until(lambda: page.text("status-line") == bridge.status()["statusLine"], 5,
               f"the status line {status['statusLine']!r}, blanks and all")
    check(page.text("firmware") == bridge.status()["firmware"], "the firmware")
    check(not page.shown("banner-unreachable") and not page.shown("banner-offline"), "no banner while all is well")
    check(page.js("return getComputedStyle(document.getElementById('status-line')).whiteSpace") == "pre-wrap",
          "the status line keeps its blanks on screen")


def a_posted_job_shows_with_its_log_and_result(bridge, page):
    wait_until(lambda: page.log_lines() > 0, 10, "the log's first lines")
    answer_code, job = bridge.post_job(receipt("WEBCONSOLE", 30))
    check(answer_code == 202, f"POST /v1/jobs answered {answer_code} {job}")
    seen_while_running = []  # how many of the job's lines the log showed, while it ran

    def ended():
        if page.job_under_way() == str(job["id"]):
            seen_while_running.append(page.log_count(ITEM))
        return page.history_state(job["id"]) == "done"

    wait_until(ended, 90, f"job {job['id']} done in the history")
    at_end = page.log_count(ITEM)
    check(any(0 < seen < at_end for seen in seen_while_running),
          f"the log grew while the page showed the job under way: {seen_while_running} then {at_end}")
    stored = bridge.request("GET", f"/v1/jobs/{job['id']}")[1]
    item = page.history_job(job["id"])
    block = item.find_element(By.CSS_SELECTOR, "pre.result")
    check(not block.is_displayed(), "the result block starts folded")
    item.find_element(By.TAG_NAME, "summary").click()
    wait_until(block.is_displayed, 2, "the result block unfolded")
    shown = page.js("return arguments[0].textContent", block)
    check(shown == "\n".join(stored["result"]), f"the result block as stored: {shown!r} vs {stored['result']!r}")
    check(shown.startswith("tag = WEBCONSOLE") and shown.endswith("exitcode = 0"), f"a whole block: {shown!r}")


def z_asks_for_confirmation_and_the_token(bridge, page):
    button = page.driver.find_element(By.CSS_SELECTOR, "button.report[data-report='z']")
    check(button.text == Z_CAPTION, f"the Z button's caption: {button.text!r}")

    button.click()
    wait_until(lambda: page.js("return document.getElementById('confirm').open"), 2, "the confirmation dialog")
    check(page.text("confirm-title") == Z_CAPTION, "the dialog names the report")
    token = page.driver.find_element(By.ID, "confirm-token")
    check(token.is_displayed() and token.get_attribute("type") == "password", "the dialog asks for the token")
    page.driver.find_element(By.ID, "confirm-cancel").click()
    wait_until(lambda: not page.js("return document.getElementById('confirm').open"), 2, "the dialog closed")

    button.click()
    wait_until(lambda: page.js("return document.getElementById('confirm').open"), 2, "the dialog again")
    token.send_keys(bridge.token)
    page.driver.find_element(By.ID, "confirm-ok").click()
    wait_until(lambda: "z" in page.history_kinds(), 10, "the Z report in the history")
    check(page.js("return sessionStorage.getItem('merovan.token')") == bridge.token, "the token kept for the tab")
    check(page.js("return localStorage.length") == 0, "nothing kept beyond the tab")
    z = [job for job in bridge.request("GET", "/v1/jobs")[1]["jobs"] if job["kind"] == "z"]
    check(len(z) == 1, f"one Z report, none from the cancelled dialog: {z}")
    wait_until(lambda: page.history_state(z[0]["id"]) == "done", 60, "the Z report's end in the history")


def screenshots(page, folder):
    wanted = os.environ.get("MEROVAN_SCREENSHOTS") == "1"
    for width in (1280, 360):
        page.screenshot(width, os.path.join(folder, f"console-{width}.png") if wanted else None)


def a_lost_register_shows_the_offline_banner(bridge, page):
    # While the page watches the status, the bridge keeps asking the register
    # whether it is there.
    gone = time.monotonic()
    bridge.kill_register()
    wait_until(lambda: bridge.status()["online"] is False, 60, "the bridge reporting the register off line")
    reported = time.monotonic()
    wait_until(lambda: page.shown("banner-offline"), BANNER_SECONDS, "the off-line banner")
    print(f"off line: reported by the bridge {reported - gone:.2f} s and shown by the page "
          f"{time.monotonic() - gone:.2f} s after the register went away")
    check(page.text("banner-offline").strip() == OFFLINE_TEXT, "the window's off-line text")


def the_stop_button_ends_the_bridge(bridge, page):
    page.driver.find_element(By.ID, "stop").click()
    wait_until(lambda: page.js("return document.getElementById('confirm').open"), 2, "the stop's confirmation")
    check(page.driver.find_element(By.ID, "confirm-token").get_attribute("value") == bridge.token,
          "the token kept from the Z report is offered")
    page.driver.find_element(By.ID, "confirm-ok").click()
    check(bridge.wait_for_end(30) == 0, "merovand ended by the stop request, with status 0")
    wait_until(lambda: page.shown("banner-unreachable"), BANNER_SECONDS, "the banner of a bridge out of reach")


CHECKS = [the_page_is_served, the_page_shows_the_status, a_posted_job_shows_with_its_log_and_result,
          z_asks_for_confirmation_and_the_token]
ENDINGS = [a_lost_register_shows_the_offline_banner, the_stop_button_ends_the_bridge]


def run(bridge, screens):
    driver = browser(1280)
    failed = False
    try:
        bridge.start()
        page = Page(driver)
        for step in CHECKS:
            step(bridge, page)
            print("ok", step.__name__)
        screenshots(page, screens)
        print("ok screenshots")
        for step in ENDINGS:
            step(bridge, page)
            print("ok", step.__name__)
    except (Failure, WebDriverException) as failure:
        failed = True
        print("FAIL:", failure, file=sys.stderr)
        print(bridge.evidence(), file=sys.stderr)
    finally:
        driver.quit()
        bridge.stop(keep=failed)
        if failed:
            print("kept:", bridge.folder, file=sys.stderr)
    return 1 if failed else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--merovand", required=True)
    parser.add_argument("--simulator", required=True)
    parser.add_argument("--vats", required=True)
    parser.add_argument("--screens", required=True)
    arguments = parser.parse_args()
    programs = [os.path.abspath(path) for path in (arguments.merovand, arguments.simulator, arguments.vats)]
    return run(Bridge(*programs), arguments.screens)


if __name__ == "__main__":
    sys.exit(main())
