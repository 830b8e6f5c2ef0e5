"""The page in a real browser: lossless.html opened from disk in headless Chromium.

Every case of tests/data/ goes through window.lossless.run and must give the bytes, the exit code
and the result file (or none) that the console tool gives; then a person's pass through the
controls: an example, the stepper, the counterexample, a file with a UTF-8 mark, the download and
the language switch. The page must ask no server for anything. A screenshot is left beside the
page for a person to look at.

Usage: /usr/bin/python3 tests/web_test.py <lossless.html> <tests/data> <examples>
Needs Debian's chromium, chromium-driver and python3-selenium.
"""

import json
import pathlib
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

PAGE, DATA, EXAMPLES = (pathlib.Path(p).resolve() for p in sys.argv[1:4])

# Runs an input through the page's interface and hands back plain lists of byte values.
RUN = """
const [bytes, name, done] = arguments;
window.lossless.run(new Uint8Array(bytes), name).then((r) => done({
  exitCode: r.exitCode,
  stdout: Array.from(r.stdout),
  stderr: Array.from(r.stderr),
  result: r.result === null ? null : Array.from(r.result),
  steps: r.steps.length,
  stepsComplete: r.stepsComplete,
}), (error) => done({error: String(error)}));
"""


def expected(case, name, otherwise=b""):
    path = DATA / case / name
    return path.read_bytes() if path.exists() else otherwise


class page_test(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.downloads = tempfile.TemporaryDirectory()
        options = Options()
        options.binary_location = "/usr/bin/chromium"
        # Without the background-networking flags Chromium itself calls home, which is not the
        # page's doing and which this machine's closed network refuses.
        for flag in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--window-size=1000,1600",
                     f"--user-data-dir={cls.downloads.name}/profile"]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        cls.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        cls.driver.set_script_timeout(60)
        cls.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                   {"behavior": "allow", "downloadPath": cls.downloads.name})
        cls.driver.get(PAGE.as_uri())

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.downloads.cleanup()

    def run_bytes(self, data, name="input"):
        return self.driver.execute_async_script(RUN, list(data), name)

    def find(self, selector):
        return self.driver.find_element(By.CSS_SELECTOR, selector)

    def until(self, condition):
        WebDriverWait(self.driver, 30).until(lambda _: condition())

    def run_and_wait(self, start):
        """Clicks start (a button, or a file sent to #file) and waits for the run to end."""
        self.driver.execute_script("document.getElementById('verdict').hidden = true")
        start()
        self.until(lambda: self.find("#verdict").is_displayed()
                   and not self.find("#busy").is_displayed())

    def example(self, name):
        for button in self.driver.find_elements(By.CSS_SELECTOR, "#examples button"):
            if button.text == name:
                button.click()
                return
        self.fail(f"no example button {name}")

    def test_every_case_gives_the_console_bytes(self):
        cases = sorted(p.name for p in DATA.iterdir() if p.is_dir())
        self.assertGreater(len(cases), 10)
        for case in cases:
            with self.subTest(case):
                got = self.run_bytes((DATA / case / "input").read_bytes())
                self.assertNotIn("error", got)
                self.assertEqual(bytes(got["stdout"]), expected(case, "stdout"))
                self.assertEqual(bytes(got["stderr"]), expected(case, "stderr"))
                self.assertEqual(got["exitCode"], int(expected(case, "exit", b"0")))
                want = expected(case, "result", None)
                self.assertEqual(None if got["result"] is None else bytes(got["result"]), want)

    def test_a_tableau_too_large_gets_the_console_refusal(self):
        names = b"".join(b"A%06d\n" % k for k in range(1, 100001))
        got = self.run_bytes(names + b"\nA000001->A000002\n")
        self.assertEqual(got["exitCode"], 2)
        self.assertEqual(bytes(got["stderr"]), b"Nincs eleg memoria a tablazathoz: 100000 x 100000\n")
        self.assertEqual(got["result"], [])
        # The page is still alive and runs the next input.
        self.assertEqual(self.run_bytes(b"A,B\nB,C\n\nB->C\n")["exitCode"], 0)

    def test_a_person_runs_an_example_and_steps_through_the_chase(self):
        self.example("pelda.txt")
        self.run_and_wait(lambda: self.find("#run").click())
        self.assertIn("(vesztesegmentes)", self.find("#verdict").text)
        self.assertEqual(self.find("#trace-text").get_property("textContent"),
                         (DATA / "example" / "stdout").read_text())

        # Three steps worked by hand: the second pass lets A3->A4 fire for rows 1 and 2.
        self.find("#input").clear()
        self.find("#input").send_keys((DATA / "several_passes" / "input").read_text())
        self.run_and_wait(lambda: self.find("#run").click())
        self.assertEqual(self.find("#step-slider").get_attribute("max"), "3")
        self.find("#step-next").click()
        self.assertEqual(self.find("#steps .step-words").text,
                         "1/3. lépés 1. kör, A3 -> A4: a 2. és a 3. sor egyezik az A3 oszlopban, "
                         "ezért az A4 oszlopban a 2 helyére 0 kerül (2. sor).")
        changed = self.driver.execute_script("""
            return Array.from(document.querySelectorAll('#steps td.changed'), (td) =>
                [td.parentNode.rowIndex, td.cellIndex, td.textContent]);""")
        self.assertEqual(changed, [[2, 4, "0"]])  # row 2 (after the header row), column A4
        self.find("#step-next").click()
        self.find("#step-next").click()
        self.assertIn("2. kör", self.find("#steps .step-words").text)
        self.assertFalse(self.find("#step-next").is_enabled())
        self.find("#step-slider").send_keys("\ue012")  # the left arrow key
        self.assertTrue(self.find("#steps .step-words").text.startswith("2/3. lépés"))
        zero_rows = self.driver.find_elements(By.CSS_SELECTOR, "#final-tableau tr.zero-row")
        self.assertEqual([row.text for row in zero_rows], ["1 0 0 0 0"])
        self.assertTrue(self.find("#counterexample").get_attribute("hidden"))

        self.find('[data-language="en"]').click()
        self.assertTrue(self.find("#steps .step-words").text.startswith("Step 2 of 3 Pass 1,"))
        self.find('[data-language="hu"]').click()

    def test_a_lossy_example_shows_its_counterexample(self):
        self.example("lossy.txt")
        self.run_and_wait(lambda: self.find("#run").click())
        self.assertIn("(nem vesztesegmentes)", self.find("#verdict").text)
        self.assertTrue(self.find("#counterexample").is_displayed())
        # r, one projection per scheme, and the tuple that their join adds.
        tables = self.driver.find_elements(By.CSS_SELECTOR, "#counterexample table")
        self.assertEqual(len(tables), 5)
        marked = [row.text for row in
                  self.driver.find_elements(By.CSS_SELECTOR, "#counterexample tr.zero-tuple")]
        self.assertEqual(marked, ["1 0 0", "2 0 0", "2 0 0", "⋈ 0 0 0 0"])
        self.driver.save_screenshot(str(PAGE.parent / "lossless.png"))

    def test_a_file_opened_or_dropped_runs_as_its_bytes(self):
        case = DATA / "utf8_mark_crlf"
        self.run_and_wait(lambda: self.find("#file").send_keys(str(case / "input")))
        self.assertIn("(vesztesegmentes)", self.find("#verdict").text)
        self.assertEqual(self.find("#trace-text").get_property("textContent"),
                         (case / "stdout").read_text())
        self.assertFalse(self.find("#warnings").is_displayed())
        self.find("#download-result").click()
        download = pathlib.Path(self.downloads.name) / "eredmeny.txt"
        self.until(download.exists)
        self.assertEqual(download.read_bytes(), (case / "result").read_bytes())

        self.run_and_wait(lambda: self.driver.execute_script("""
            const data = new DataTransfer();
            data.items.add(new File([arguments[0]], 'lossy.txt'));
            document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: data, bubbles: true}));
            """, (EXAMPLES / "lossy.txt").read_text()))
        self.assertIn("(nem vesztesegmentes)", self.find("#verdict").text)

    def test_zz_the_page_asks_no_server_for_anything(self):
        requested = []
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                requested.append(message["params"]["request"]["url"])
        self.assertTrue(requested)
        # The browser's own pages (chrome:) are not the page's doing; anything else would be.
        self.assertEqual([url for url in requested if url.split(":")[0] not in
                          ("file", "blob", "data", "chrome")], [])
        errors = [entry for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"]
        self.assertEqual(errors, [])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
