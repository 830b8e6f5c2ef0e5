"""The page in a real browser: lossless.html opened from disk in headless Chromium.

Every case of tests/data/ goes through window.lossless.run and must give the bytes, the exit code
and the result file (or none) that the console tool gives; then a person's pass through the
controls: an example, the stepper, the counterexample, a file with a UTF-8 mark, the download and
the language switch; the check after the verdict, stopped, and cut by its budget; the design
after the check, and its decompositions run; the keyboard
alone; axe-core in each state of the page; a phone's width; print media; a 5 MB file; runs that
overlap. The page must ask no server for anything.
Screenshots are left beside the page for a person to look at.

Usage: /usr/bin/python3 tests/web_test.py <lossless.html> <tests/data> <examples> <lossless>
       [<axe.min.js>]
<lossless> is the console tool built by the default preset, whose --json and --design objects the
page's must equal; the inputs of tests/design_data beside <tests/data> are designed too. Needs Debian's chromium, chromium-driver and python3-selenium; axe-core from npm for the
accessibility check, which is skipped without it unless CI is set.
"""

import json
import os
import pathlib
import random
import subprocess
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.common.exceptions import StaleElementReferenceException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

PAGE, DATA, EXAMPLES, LOSSLESS = (pathlib.Path(p).resolve() for p in sys.argv[1:5])
AXE = pathlib.Path(sys.argv[5]) if len(sys.argv) > 5 else None

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
  diagnostics: r.diagnostics.map((d) => [d.kind, d.line, d.text]),
  diagnosticCount: r.diagnosticCount,
  analysis: r.analysis,
  repaired: r.repaired === null ? null : Array.from(r.repaired),
}), (error) => done({error: String(error)}));
"""

# The console's words for each kind of message, and whether the text stands in quotes.
CONSOLE = {
    "arrow_in_scheme": ("Nyil a semasorban (hianyzik az ures sor?): ", False),
    "empty_name": ("Ures nev a semasorban: ", False),
    "comment_in_scheme": ("Megjegyzesnek latszo semasor: ", False),
    "leading_empty_line": ("A bemenet ures sorral kezdodik: nincs egy sema sem", False),
    "blank_in_name": ("Szokoz vagy tabulator a nevben: ", True),
    "whole_scheme": ("Egy sema minden attributumot tartalmaz, igy a felbontas biztosan "
                     "vesztesegmentes: ", False),
    "unknown_name": ("Ismeretlen attributum a fuggosegben: ", True),
    "missing_arrow": ("Hianyzik a \"->\" a fuggosegbol: ", False),
    "unread_line": ("Nem feldolgozott sor (ures sor zarta a fuggosegeket): ", False),
    "tableau_too_large": ("Nincs eleg memoria a tablazathoz: ", False),
    "utf16": ("A bemeneti fajl UTF-16 kodolasu, mentse UTF-8 kodolassal: ", False),
}


def console_line(kind, text):
    prefix, quoted = CONSOLE[kind]
    return prefix + (f'"{text}"' if quoted else text)



def expected(case, name, otherwise=b""):
    path = DATA / case / name
    return path.read_bytes() if path.exists() else otherwise


def chain(n):
    """Schemes {A1,A2} ... {An,An+1} and Ai->Ai+1 from i = n down: lossless, n passes."""
    schemes = "".join(f"A{i},A{i + 1}\n" for i in range(1, n + 1))
    return schemes + "\n" + "".join(f"A{i}->A{i + 1}\n" for i in range(n, 0, -1))


# 40 attributes in two schemes of 20 and a pair: lossy, with a 20-column projection.
FORTY = (",".join(f"A{i}" for i in range(1, 21)) + "\n" + ",".join(f"A{i}" for i in range(21, 41))
         + "\nA5,A25\n\nA1->A2\nA21->A22\n")

# A textbook exercise as students type it: a comment, textbook letters, blanks around the arrows
# and two empty lines before the dependencies; lossless as meant.
TYPED = "# exercise d\nAD\nAB\nBE\nCDE\nAE\n\n\nA -> C\nB -> C\nC -> D\nDE -> C\nCE -> A\n"
MEANT = "A,D\nA,B\nB,E\nC,D,E\nA,E\n\nA->C\nB->C\nC->D\nD,E->C\nC,E->A\n"

# A Silberschatz exercise typed as the book prints it: named schemes, and dependencies whose sides
# are letter runs; read as it stands, the dependencies name attributes that no scheme has.
# The company database of Elmasri and Navathe, with one scheme in first normal form: long names
# in every table of the check.
COMPANY = ("Ssn,Pnumber,Hours,Ename\nSsn,Ename\nPnumber,Pname,Plocation\n\n"
           "Ssn,Pnumber->Hours\nSsn->Ename\nPnumber->Pname,Plocation\n")

MISREAD = "R1 = (A, B, C)\nR2 = (A, D, E)\n\nA -> BC\nCD -> E\nB -> D\nE -> A\n"


def random_wide(attributes, schemes, dependencies, left, seed=11):
    """schemes random schemes over A1..A<attributes>, each attribute in one and 1 to 4 more at
    random; random dependencies whose left sides hold left[0] to left[1] attributes and whose
    right sides one or two. Lossy, and many dependencies are lost: a long check."""
    rnd = random.Random(seed)
    names = lambda columns: ",".join(f"A{c + 1}" for c in columns)
    lines = [names(sorted(set(range(i, attributes, schemes))
                          | {rnd.randrange(attributes) for _ in range(1 + rnd.randrange(4))}))
             for i in range(schemes)]
    lines.append("")
    for _ in range(dependencies):
        lines.append(names(rnd.sample(range(attributes), rnd.randint(*left))) + "->"
                     + names(rnd.sample(range(attributes), 1 + rnd.randrange(2))))
    return "\n".join(lines) + "\n"


# Keeps the longest time between two ticks of a 5 ms timer: how long the page's thread was busy.
GAP_TIMER = """
window.longest_gap = 0;
let last = performance.now();
setInterval(() => {
  const now = performance.now();
  window.longest_gap = Math.max(window.longest_gap, now - last);
  last = now;
}, 5);
"""


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

    def setUp(self):
        self.driver.execute_script("localStorage.clear()")
        self.driver.get(PAGE.as_uri())

    def run_bytes(self, data, name="input"):
        return self.driver.execute_async_script(RUN, list(data), name)

    def find(self, selector):
        return self.driver.find_element(By.CSS_SELECTOR, selector)

    def until(self, condition):
        # An element can be drawn anew while it is read: the page draws a section at a time.
        WebDriverWait(self.driver, 30, ignored_exceptions=[StaleElementReferenceException]).until(
            lambda _: condition())

    def run_and_wait(self, start, check=True):
        """Starts a run (a click, a key, or a file sent to #file) and waits until it is shown;
        with check, also until the check after it has ended and is drawn."""
        self.driver.execute_script("document.getElementById('verdict').hidden = true")
        start()
        self.until(lambda: self.find("#verdict").is_displayed()
                   and not self.find("#busy").is_displayed())
        if check:
            self.until(self.settled)

    def settled(self):
        """Whether the page is drawn: no run in flight, no check or design running or being
        drawn."""
        return self.driver.execute_script("""
            return document.getElementById('busy').hidden &&
                document.getElementById('analysis').getAttribute('aria-busy') !== 'true' &&
                document.getElementById('design').getAttribute('aria-busy') !== 'true';""")

    def type_input(self, text):
        """Puts text in the text box as typing would, at once."""
        self.driver.execute_script("""
            const input = document.getElementById('input');
            input.value = arguments[0];
            input.dispatchEvent(new Event('input'));""", text)

    def example(self, name):
        for button in self.driver.find_elements(By.CSS_SELECTOR, "#examples button"):
            if button.text == name:
                button.click()
                return
        self.fail(f"no example button {name}")

    def focused(self):
        return self.driver.execute_script("return document.activeElement.id || "
                                          "document.activeElement.tagName")

    def press(self, key, shift=False):
        keys = ActionChains(self.driver)
        if shift:
            keys.key_down(Keys.SHIFT)
        keys.send_keys(key)
        if shift:
            keys.key_up(Keys.SHIFT)
        keys.perform()
        self.assertNotEqual(self.focused(), "BODY")

    def open_file(self, path):
        self.run_and_wait(lambda: self.find("#file").send_keys(str(path)))

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
                # The messages as records, in the order and with the words of standard error.
                lines = expected(case, "stderr").decode().splitlines()
                self.assertEqual([console_line(k, t) for k, _, t in got["diagnostics"]], lines)
                self.assertEqual(got["diagnosticCount"], len(lines))
                self.assertEqual(all(line > 0 for _, line, _ in got["diagnostics"]),
                                 not case.startswith("utf16"))
        self.assertEqual(self.run_bytes((DATA / "blanks_around_names" / "input").read_bytes())
                         ["diagnostics"], [["blank_in_name", 1, " B"], ["blank_in_name", 2, " C"],
                                           ["unknown_name", 4, "B "]])

    def test_every_case_gives_the_console_check_and_a_repair_that_holds(self):
        if not LOSSLESS.exists():
            self.fail(f"{LOSSLESS} is missing: build the console tool first "
                      "(cmake --workflow --preset default)")
        for case in sorted(p.name for p in DATA.iterdir() if p.is_dir()):
            with self.subTest(case):
                got = self.run_bytes((DATA / case / "input").read_bytes())
                console = subprocess.run([LOSSLESS, "--json", DATA / case / "input"],
                                         capture_output=True, check=False)
                self.assertEqual(console.returncode, got["exitCode"])
                self.assertEqual(got["analysis"],
                                 json.loads(console.stdout) if console.stdout else None)
                if got["analysis"] is None or got["analysis"]["repair"] is None:
                    self.assertIsNone(got["repaired"])
                    continue
                # The repaired input reads as the old one with the added schemes, and holds.
                repaired = self.run_bytes(got["repaired"])["analysis"]
                added = got["analysis"]["repair"]["add"]
                self.assertEqual(repaired["schemes"], got["analysis"]["schemes"] + added)
                self.assertEqual(repaired["dependencies"], got["analysis"]["dependencies"])
                self.assertTrue(repaired["lossless"])
                self.assertTrue(repaired["preservation"]["preserving"])

    def test_every_input_gives_the_console_design(self):
        if not LOSSLESS.exists():
            self.fail(f"{LOSSLESS} is missing: build the console tool first "
                      "(cmake --workflow --preset default)")
        inputs = [p / "input" for p in sorted(DATA.iterdir()) if p.is_dir()]
        inputs += [p / "input" for p in sorted((DATA.parent / "design_data").iterdir())]
        self.assertGreater(len(inputs), 25)
        for path in inputs:
            with self.subTest(path.parent.name):
                got = self.driver.execute_async_script("""
                    const [bytes, done] = arguments;
                    window.lossless.design(new Uint8Array(bytes), 'input').then(done,
                        (error) => done({error: String(error)}));""", list(path.read_bytes()))
                console = subprocess.run([LOSSLESS, "--design", path], capture_output=True,
                                         check=False)
                self.assertEqual(got, json.loads(console.stdout) if console.stdout else None)

    def test_the_tidy_up_gives_the_bytes_of_lossless_tidy(self):
        if not LOSSLESS.exists():
            self.fail(f"{LOSSLESS} is missing: build the console tool first "
                      "(cmake --workflow --preset default)")
        inputs = [(DATA / case / "input").read_bytes()
                  for case in sorted(p.name for p in DATA.iterdir() if p.is_dir())]
        inputs += [text.encode() for text in (TYPED, MISREAD, COMPANY,
                   "\ufeffR = ABCD\r\nd = {AB, BCD}\r\n\r\nF: A -> B; B ⟶ CD  # given\r\n")]
        for number, data in enumerate(inputs):
            with self.subTest(number):
                with tempfile.NamedTemporaryFile() as file:
                    file.write(data)
                    file.flush()
                    console = subprocess.run([LOSSLESS, "--tidy", file.name],
                                             capture_output=True, check=False)
                got = self.driver.execute_async_script("""
                    const [bytes, done] = arguments;
                    window.lossless.tidy(new Uint8Array(bytes)).then((r) =>
                        done([Array.from(r.bytes), r.changes.map((c) => `${c.line}: ${c.kind}`)]));
                    """, list(data))
                if data.startswith(b"\xff\xfe") or data.startswith(b"\xfe\xff"):
                    continue  # the console refuses UTF-16 before tidying
                self.assertEqual(console.returncode, 0)
                self.assertEqual(bytes(got[0]), console.stdout)
                self.assertEqual(got[1], console.stderr.decode().splitlines())

    def test_tidy_rewrites_the_bytes_and_names_each_change(self):
        got = self.driver.execute_async_script("""
            const [bytes, done] = arguments;
            window.lossless.tidy(new Uint8Array(bytes)).then((r) =>
                done([Array.from(r.bytes), r.changes.map((c) => [c.kind, c.line])]));""",
            list("\ufeff# ex\r\nR1(A, B)\r\nB,C\r\n\r\n \r\nB => C\r\n".encode()))
        self.assertEqual(bytes(got[0]), "\ufeffA,B\r\nB,C\r\n\r\nB->C\r\n".encode())
        self.assertEqual(got[1], [["comment", 1], ["blanks", 2], ["scheme_name", 2],
                                  ["empty_line", 5], ["blanks", 6], ["arrow", 6]])

    def test_a_typed_exercise_is_tidied_by_the_button_then_read_as_meant(self):
        self.type_input(TYPED)
        self.run_and_wait(lambda: self.find("#run").click())
        self.assertIn("(nem vesztesegmentes)", self.find("#verdict").text)
        self.assertIn("7 figyelmeztetés", self.find("#verdict-caveat").text)
        items = self.driver.find_elements(By.CSS_SELECTOR, "#warnings li")
        self.assertEqual([item.text for item in items[:3]], [
            "1. sor: Megjegyzésnek látszó sémasor (sémaként olvasva): # exercise d",
            "1. sor: Szóköz vagy tabulátor a névben: „#␣exercise␣d”",
            "9. sor: Nem feldolgozott sor (üres sor zárta le a függőségeket): A -> C"])
        self.assertEqual(len(items), 7)
        items[3].find_element(By.TAG_NAME, "button").click()
        self.assertEqual(self.focused(), "input")
        self.assertEqual(self.driver.execute_script(
            "const i = document.activeElement; return i.value.slice(i.selectionStart, "
            "i.selectionEnd)"), "B -> C")

        # The offer marks the changed lines with what changed; the button replaces the text as an
        # edit that the browser's undo takes back.
        self.until(lambda: self.find("#tidy").is_displayed())
        rewritten = self.driver.find_elements(By.CSS_SELECTOR, "#tidy tr.rewritten")
        self.assertEqual(rewritten[0].text, "1 # exercise d megjegyzéssor törölve")
        self.assertEqual(rewritten[-1].text, "13 C,E->A szóközök és tabulátorok elhagyva; "
                                             "tankönyvi jelölés: betűnként külön név")
        self.driver.save_screenshot(str(PAGE.parent / "tidy.png"))
        self.find("#tidy-apply").click()
        self.assertEqual(self.find("#input").get_property("value"), MEANT)
        undo = ActionChains(self.driver).key_down(Keys.CONTROL).send_keys("z").key_up(Keys.CONTROL)
        undo.perform()
        self.assertEqual(self.find("#input").get_property("value"), TYPED)
        self.until(lambda: self.find("#tidy-apply").get_attribute("aria-disabled") == "false")
        self.find("#tidy-apply").click()
        self.run_and_wait(lambda: self.find("#run").click())
        self.assertIn("Veszteségmentes (vesztesegmentes)", self.find("#verdict").text)
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#verdict-caveat"), [])
        self.assertFalse(self.find("#warnings").is_displayed())
        self.until(lambda: not self.find("#tidy").is_displayed())

        # In English, and a long list cut at 20.
        self.find('[data-language="en"]').click()
        self.type_input("A\n\n" + "X->A\n" * 25)
        self.run_and_wait(lambda: self.find("#run").click())
        self.assertIn("25 warnings say", self.find("#verdict-caveat").text)
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#warnings li")), 20)
        self.assertIn("… and 5 more.", self.find("#warnings").text)

    def test_a_big_file_is_tidied_as_its_bytes(self):
        with tempfile.TemporaryDirectory() as folder:
            path = pathlib.Path(folder) / "big.txt"
            path.write_text("A, B\n" * 2000 + "B, C\n\nB -> C\n")
            self.open_file(path)
        self.assertIn("(nem vesztesegmentes)", self.find("#verdict").text)
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#warnings button"), [])
        self.assertTrue(self.find("#warnings li").text.startswith("1. sor: "))
        self.until(lambda: self.find("#tidy").is_displayed())
        self.assertIn("Csak a változó sorok látszanak.", self.find("#tidy").text)
        self.find("#tidy-apply").click()
        self.assertTrue(self.find("#file-lines").text.startswith("A,B\nA,B\n"))
        self.run_and_wait(lambda: self.find("#run").click())
        self.assertIn("(vesztesegmentes)", self.find("#verdict").text)
        self.assertFalse(self.find("#warnings").is_displayed())

    def test_a_tableau_too_large_gets_the_console_refusal(self):
        names = b"".join(b"A%06d\n" % k for k in range(1, 100001))
        got = self.run_bytes(names + b"\nA000001->A000002\n")
        self.assertEqual(got["exitCode"], 2)
        self.assertEqual(bytes(got["stderr"]), b"Nincs eleg memoria a tablazathoz: 100000 x 100000\n")
        self.assertEqual(got["result"], [])
        # The page is still alive and runs the next input.
        self.assertEqual(self.run_bytes(b"A,B\nB,C\n\nB->C\n")["exitCode"], 0)

    def test_a_person_runs_an_example_and_steps_through_the_chase(self):
        self.run_and_wait(lambda: self.example("pelda.txt"))
        self.assertIn("(vesztesegmentes)", self.find("#verdict").text)
        self.assertEqual(self.find("#trace-text").get_property("textContent"),
                         (DATA / "example" / "stdout").read_text())

        # Three steps worked by hand: the second pass lets A3->A4 fire for rows 1 and 2.
        self.type_input((DATA / "several_passes" / "input").read_text())
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
        self.assertEqual(self.find("#step-next").get_attribute("aria-disabled"), "true")
        self.find("#step-slider").send_keys("\ue012")  # the left arrow key
        self.assertTrue(self.find("#steps .step-words").text.startswith("2/3. lépés"))
        zero_rows = self.driver.find_elements(By.CSS_SELECTOR, "#final-tableau tr.zero-row")
        self.assertEqual([row.text for row in zero_rows], ["1 0 0 0 0"])
        self.assertTrue(self.find("#counterexample").get_attribute("hidden"))

        self.find('[data-language="en"]').click()
        self.until(lambda: self.find("#steps .step-words").text.startswith("Step 2 of 3 Pass 1,"))

    def test_a_lossy_example_shows_its_counterexample(self):
        self.run_and_wait(lambda: self.example("lossy.txt"))
        self.assertIn("(nem vesztesegmentes)", self.find("#verdict").text)
        self.assertTrue(self.find("#counterexample").is_displayed())
        # r, one projection per scheme, and the tuple that their join adds.
        tables = self.driver.find_elements(By.CSS_SELECTOR, "#counterexample table")
        self.assertEqual(len(tables), 5)
        marked = [row.text for row in
                  self.driver.find_elements(By.CSS_SELECTOR, "#counterexample tr.zero-tuple")]
        self.assertEqual(marked, ["1 0 0", "2 0 0", "2 0 0", "⋈ 0 0 0 0"])
        self.driver.save_screenshot(str(PAGE.parent / "lossless.png"))

    def texts(self, selector):
        return [node.get_property("textContent") for node in
                self.driver.find_elements(By.CSS_SELECTOR, selector)]

    def test_a_lossy_exercise_is_checked_with_its_reasons_and_repaired(self):
        # examples/decomposition.txt, worked by hand (tests/json_data/lossy_not_preserving): C->F
        # is lost, as Z grows from C by B in R1 and by D, E in R2 and stops short of F; the keys
        # are AB and AC; ABC is 3NF by C->B, CDE 2NF by D->E, EF BCNF; adding CF repairs it.
        self.run_and_wait(lambda: self.example("decomposition.txt"))
        self.assertIn("(nem vesztesegmentes)", self.find("#verdict").text)
        lost = self.find("#preservation .lost")
        self.assertEqual(lost.find_element(By.TAG_NAME, "strong").text, "C -> F: elvész")
        self.assertEqual(self.texts("#preservation .lost tbody tr"),
                         ["1R1{B}{B, C}", "1R2{D, E}{B, C, D, E}"])
        self.assertIn("Z = {B, C, D, E}, Y − Z = {F}, ezért a függőség elvész.", lost.text)
        # A preserved dependency opens to its own rounds.
        preserved = self.driver.find_elements(By.CSS_SELECTOR,
                                              "#preservation details:not(.definition)")
        self.assertEqual([p.text for p in preserved], ["A,B -> C: megmarad", "C -> B: megmarad",
                                                       "C -> D: megmarad", "D -> E: megmarad"])
        preserved[3].find_element(By.TAG_NAME, "summary").click()
        self.assertIn("Y ⊆ Z = {D, E}, ezért a függőség megmarad.", preserved[3].text)
        keys = self.find("#keys")
        self.assertIn("R-nek 2 kulcsa van:", keys.text)
        self.assertEqual(self.texts("#keys .key > p"),
                         ["{A, B}⁺ = R; a függőségek ebben a sorrendben bővítik a lezártat:",
                          "{A, C}⁺ = R; a függőségek ebben a sorrendben bővítik a lezártat:"])
        self.assertEqual(self.texts("#keys .key:last-child tbody tr"),
                         ["1C -> B{B}", "2C -> D{D}", "3C -> F{F}", "4D -> E{E}"])
        self.assertEqual(self.texts("#normal-forms tbody tr"), [
            "R1 = {A, B, C}harmadik normálforma (3NF){A, B}, {A, C}C -> B",
            "R2 = {C, D, E}második normálforma (2NF){C}D -> E",
            "R3 = {E, F}Boyce–Codd normálforma (BCNF){E, F}–"])
        self.assertEqual(self.texts("#normal-forms > p"), [
            "R1: C -> B teljesül, de {C} nem szuperkulcsa a sémának, ezért R1 nincs Boyce–Codd "
            "normálformában.",
            "R2: D -> E teljesül, de {D} nem szuperkulcsa a sémának, és E másodlagos (nem "
            "elsődleges) attribútum: egyik kulcsnak sem eleme; ezért R2 nincs harmadik "
            "normálformában."])
        self.assertIn("Miért elegendő? Az elveszett függőségek sémáival minden függőség megmarad",
                      self.find("#repair").text)
        # Every name is known: the section opens with the answers, no caveat.
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#analysis-caveat"), [])
        self.assertIn("Nincs redundáns séma", self.find("#redundant").text)
        self.assertEqual(self.texts("#repair li"),
                         ["R4 = {C, F}: az elveszett C -> F függőség X ∪ Y sémája"])

        # On paper the section is whole: every <details> open, no button; closed again after.
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
        try:
            self.until(lambda: self.driver.execute_script(
                "return Array.from(document.querySelectorAll('#analysis details'), (d) => d.open)")
                == [True] * 9)
            self.assertFalse(self.find("#repair-apply").is_displayed())
        finally:
            self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})
        self.until(lambda: len(self.driver.find_elements(By.CSS_SELECTOR,
                                                         "#analysis details[open]")) == 1)

        # In English; an edit makes the repair wait for the next run.
        self.find('[data-language="en"]').click()
        self.until(lambda: "R1: C -> B holds, but {C} is not a superkey of the scheme, so R1 is "
                           "not in Boyce-Codd normal form." in self.find("#normal-forms").text)
        # The English banner is English; the console's word stands with the result file.
        self.assertEqual(self.find("#verdict span").text, "Not lossless")
        self.assertIn("“nem vesztesegmentes”", self.find("#result-verdict").text)
        self.assertIn("R has 2 keys:", self.find("#keys").text)
        self.assertIn("C -> F: lost", self.find("#preservation").text)
        self.find("#input").send_keys(" ")
        self.assertEqual(self.find("#repair-apply").get_attribute("aria-disabled"), "true")
        self.find('[data-language="hu"]').click()
        self.run_and_wait(lambda: self.example("decomposition.txt"))

        # The repair goes into the input, and its run has a row of zeros.
        self.run_and_wait(lambda: self.find("#repair-apply").click())
        self.assertTrue(self.find("#input").get_property("value").startswith(
            "A,B,C\nC,D,E\nE,F\nC,F\n\nA,B->C\n"))
        self.assertIn("Veszteségmentes (vesztesegmentes)", self.find("#verdict").text)
        self.assertEqual([row.text for row in self.driver.find_elements(
            By.CSS_SELECTOR, "#final-tableau tr.zero-row")], ["1 0 0 0 0 0 0"])
        self.assertIn("A felbontás függőségőrző", self.find("#analysis").text)
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#repair"), [])
        self.driver.save_screenshot(str(PAGE.parent / "analysis.png"))

    def test_the_design_words_each_step_and_its_decompositions_run_and_hold(self):
        # examples/decomposition.txt, worked by hand: F is a minimal cover as it stands; the
        # synthesis makes ABC of A,B->C, BCDF of C->B, C->D, C->F and DE of D->E, and ABC holds
        # the key AB; BCNF splits R on C (C+ = BCDEF lacks A), then BCDEF on D, and loses A,B->C.
        self.run_and_wait(lambda: self.example("decomposition.txt"))
        self.assertIn("A minimális fedés (5 függőség):", self.find("#cover").text)
        self.assertEqual(self.texts("#cover li"),
                         ["A,B -> C", "C -> B", "C -> D", "D -> E", "C -> F"])
        self.assertEqual(self.texts("#synthesis tbody tr"), [
            "R1 = {A, B, C}harmadik normálforma (3NF)",
            "R2 = {B, C, D, F}Boyce–Codd normálforma (BCNF)",
            "R3 = {D, E}Boyce–Codd normálforma (BCNF)"])
        self.assertEqual(self.texts("#synthesis li"), [
            "Veszteségmentes: a táblázatban van csupa 0 sor.",
            "Függőségőrző: minden függőség megmarad.",
            "{A, B, C}: a fedés A,B -> C függőségéből.",
            "{B, C, D, F}: a fedés C -> B; C -> D; C -> F függőségeiből.",
            "{D, E}: a fedés D -> E függőségéből."])
        self.assertEqual(self.texts("#bcnf ol li"), [
            "{A, B, C, D, E, F} nincs BCNF-ben: C -> B,D,E,F sértő függőség, mert {C}⁺ = "
            "{B, C, D, E, F} nem tartalmazza az egész sémát, így {C} nem szuperkulcs. A séma "
            "helyére {B, C, D, E, F} és {A, C} kerül.",
            "{B, C, D, E, F} nincs BCNF-ben: D -> E sértő függőség, mert {D}⁺ = {D, E} nem "
            "tartalmazza az egész sémát, így {D} nem szuperkulcs. A séma helyére {D, E} és "
            "{B, C, D, F} kerül."])
        self.assertIn("A felbontás nem függőségőrző: 1 függőség elvész:", self.find("#bcnf").text)
        self.assertEqual(self.texts("#bcnf ul.fds li"), ["A,B -> C"])

        # Every kind of step, worked by hand: A->A is trivial; A is extraneous in A,B->C; A->B
        # follows from A->C, C->B and one B->C from the other; the two schemes BC are one, and
        # no scheme holds the key AE.
        self.type_input("A,B,C,D,E\n\nA->A,B,C\nB->C\nA,B->C\nC->B\nA->D\n")
        self.run_and_wait(lambda: self.find("#run").click())
        self.assertEqual(self.texts("#cover ol li"), [
            "A -> A triviális: az A a bal oldalán is áll, ezért elhagyható.",
            "A,B -> C: az A fölösleges (extraneous) attribútum, mert {B}⁺ = {B, C} tartalmazza "
            "C-t.",
            "A -> B redundáns függőség: a többi függőséggel {A}⁺ = {A, B, C, D} tartalmazza "
            "B-t, ezért elhagyható.",
            "B -> C redundáns függőség: a többi függőséggel {B}⁺ = {B, C} tartalmazza C-t, ezért "
            "elhagyható."])
        self.assertEqual(self.texts("#synthesis ol li")[3:], [
            "{B, C} elhagyható, mert {B, C} tartalmazza.",
            "Egyik séma sem tartalmazza R egy kulcsát, ezért R egy kulcsa külön sémaként adódik "
            "hozzá: {A, E}⁺ = {A, B, C, D, E} = R."])
        self.find('[data-language="en"]').click()
        self.until(lambda: "A is extraneous in A,B -> C, since {B}⁺ = {B, C} holds C."
                   in self.find("#cover").text)
        self.assertIn("No scheme holds a key of R, so a key of R is added as a scheme: "
                      "{A, E}⁺ = {A, B, C, D, E} = R.", self.find("#synthesis").text)
        self.assertIn("No dependency is lost", self.find("#bcnf").text)
        self.find('[data-language="hu"]').click()

        # Each button puts its decomposition into the input in place of the scheme lines, and
        # the chase and the check prove it.
        self.run_and_wait(lambda: self.example("decomposition.txt"))
        self.run_and_wait(lambda: self.find("#synthesis-apply").click())
        self.assertEqual(self.find("#input").get_property("value"),
                         "A,B,C\nB,C,D,F\nD,E\n\nA,B->C\nC->B\nC->D\nD->E\nC->F\n")
        self.assertIn("Veszteségmentes (vesztesegmentes)", self.find("#verdict").text)
        self.assertIn("A felbontás függőségőrző", self.find("#preservation").text)
        self.run_and_wait(lambda: self.example("decomposition.txt"))
        self.run_and_wait(lambda: self.find("#bcnf-apply").click())
        self.assertEqual(self.find("#input").get_property("value"),
                         "D,E\nB,C,D,F\nA,C\n\nA,B->C\nC->B\nC->D\nD->E\nC->F\n")
        self.assertIn("Veszteségmentes (vesztesegmentes)", self.find("#verdict").text)
        self.assertIn("A felbontás nem függőségőrző: 1 függőség elvész.",
                      self.find("#preservation").text)
        self.driver.execute_script("document.getElementById('design').scrollIntoView()")
        self.driver.save_screenshot(str(PAGE.parent / "design.png"))

        # On paper the section is whole, its definitions open, without its buttons.
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
        try:
            self.until(lambda: self.driver.execute_script(
                "return Array.from(document.querySelectorAll('#design details'), (d) => d.open)")
                == [True] * 3)
            self.assertFalse(self.find("#synthesis-apply").is_displayed())
        finally:
            self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})

    def test_the_verdict_comes_before_the_check_which_stops_and_says_where_it_was_cut(self):
        # 40 000 dependencies with left sides of 8 to 14 attributes: the chase takes a moment,
        # the check seconds, and its budget cuts the preservation.
        with tempfile.TemporaryDirectory() as folder:
            path = pathlib.Path(folder) / "wide.txt"
            # A comment above, which the tidy-up offers to drop.
            path.write_text("# wide\n" + random_wide(100, 30, 40000, (8, 14)))
            self.run_and_wait(lambda: self.find("#file").send_keys(str(path)), check=False)
        self.assertIn("(nem vesztesegmentes)", self.find("#verdict").text)
        self.assertTrue(self.find("#steps").is_displayed())
        self.assertTrue(self.find("#counterexample").is_displayed())
        self.until(lambda: "függőségőrzés: " in self.find("#check-status").text)
        self.assertRegex(self.find("#check-status").text,
                         r"függőségőrzés: [\d\s]+ / 40\s000")
        self.find("#check-stop").click()
        self.assertIn("leállította", self.find("#check-status").text)
        if AXE is not None and AXE.exists():
            self.assertEqual(self.axe("#analysis"), [])
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#preservation"), [])
        self.assertIn("(nem vesztesegmentes)", self.find("#verdict").text)
        # The design waits for the check, so it waits for a button now.
        self.assertIn("a vizsgálatot pedig leállította", self.find("#design-status").text)

        # Started again, it ends at its work budget: never a count for the cut list. The design
        # follows it, and stops by its own button.
        self.find("#check-restart").click()
        self.until(lambda: self.driver.find_elements(By.CSS_SELECTOR, "#design-stop"))
        self.find("#design-stop").click()
        self.assertIn("A tervezést leállította", self.find("#design-status").text)
        self.until(self.settled)
        preservation = self.find("#preservation").text
        self.assertIn("A felbontás nem függőségőrző: legalább ", preservation)
        self.assertRegex(self.find("#preservation-cut").text,
                         r"^A vizsgálat elérte a munkakeretét, és ott megállt: a 40\s000 "
                         r"függőségből [\d\s]+ dőlt el\.$")
        self.assertIn("… és még legalább ", preservation)
        self.assertIn("Megmaradó függőségek (legalább ", preservation)
        # Started again, the design runs out of its budget too: it says so and names no result.
        self.find("#design-start").click()
        self.until(self.settled)
        self.assertIn("A minimális fedés nem készült el a munkakereten belül.",
                      self.find("#cover").text)
        self.assertIn("Az első 50 lépés látszik (összesen ", self.find("#cover").text)
        self.assertIn("A szintézis nem készült el", self.find("#synthesis").text)
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#synthesis-apply"), [])
        self.find('[data-language="en"]').click()
        self.until(lambda: "at least" in self.find("#preservation").text)
        self.assertRegex(self.find("#preservation-cut").text,
                         r"^The check stopped at its work budget: [\d,]+ of 40,000 dependencies "
                         r"decided\.$")

        # A change of the input drops a running check.
        self.find('[data-language="hu"]').click()
        self.run_and_wait(lambda: self.find("#run").click(), check=False)
        self.until(lambda: self.driver.find_elements(By.CSS_SELECTOR, "#check-stop"))
        self.find("#tidy-apply").click()
        self.until(lambda: "megváltozott" in self.find("#check-status").text)
        self.assertIn("stale", self.find("#outcome").get_attribute("class"))

    def test_unknown_names_make_the_check_say_so_and_offer_the_tidy_up(self):
        self.type_input(MISREAD)
        self.run_and_wait(lambda: self.find("#run").click())
        caveat = self.find("#analysis-caveat")
        self.assertEqual(self.find("#analysis-body").find_element(By.XPATH, "*"), caveat)
        self.assertIn("úgy vonatkoznak, ahogy az oldal beolvasta", caveat.text)
        # Each name as read, its blanks shown.
        self.assertIn("„A␣”, „␣BC”, „CD␣”", caveat.text)
        # A repair of the input as read is shown, but not offered to load.
        self.assertTrue(self.find("#repair").is_displayed())
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#repair-apply"), [])
        self.assertIn("ismeretlen név", self.find("#repair").text)
        self.until(lambda: self.find("#caveat-tidy").is_displayed()
                   and self.find("#caveat-tidy").get_attribute("aria-disabled") == "false")
        self.assertIn("4 A->B,C szóközök és tabulátorok elhagyva; vegyes jelölés: a sémák nevei "
                      "betűnként", [row.text for row in self.driver.find_elements(
                          By.CSS_SELECTOR, "#tidy tr.rewritten")])
        self.run_and_wait(lambda: self.find("#caveat-tidy").click())
        # Tidied, it reads as the book meant it: lossless, with the keys A, E, BC and CD.
        self.assertEqual(self.find("#input").get_property("value"),
                         "A,B,C\nA,D,E\n\nA->B,C\nC,D->E\nB->D\nE->A\n")
        self.assertIn("(vesztesegmentes)", self.find("#verdict").text)
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#analysis-caveat"), [])
        self.assertFalse(self.find("#warnings").is_displayed())
        self.assertIn("R-nek 4 kulcsa van:", self.find("#keys").text)

    def test_bytes_that_are_not_utf8_show_as_the_replacement_character(self):
        with tempfile.TemporaryDirectory() as folder:
            path = pathlib.Path(folder) / "latin2.txt"
            path.write_bytes(b"A,B\n\nA->B\xdc\n")
            self.open_file(path)
        self.assertIn("„B\ufffd”", self.find("#warnings").text)
        self.assertIn("„B\ufffd”", self.find("#analysis-caveat").text)
        got = self.run_bytes(b"A,B\n\nA->B\xdc\n")
        self.assertEqual(got["diagnostics"], [["unknown_name", 3, "B\ufffd"]])

    def test_a_file_opened_or_dropped_runs_as_its_bytes(self):
        case = DATA / "utf8_mark_crlf"
        self.open_file(case / "input")
        self.assertIn("(vesztesegmentes)", self.find("#verdict").text)
        self.assertEqual(self.find("#trace-text").get_property("textContent"),
                         (case / "stdout").read_text())
        self.assertFalse(self.find("#warnings").is_displayed())
        self.find("#download-result").click()
        download = pathlib.Path(self.downloads.name) / "eredmeny.txt"
        # The file can exist, empty, before the browser has written it.
        self.until(lambda: download.exists() and download.read_bytes() != b"")
        self.assertEqual(download.read_bytes(), (case / "result").read_bytes())

        self.run_and_wait(lambda: self.driver.execute_script("""
            const data = new DataTransfer();
            data.items.add(new File([arguments[0]], 'lossy.txt'));
            document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: data, bubbles: true}));
            """, (EXAMPLES / "lossy.txt").read_text()))
        self.assertIn("(nem vesztesegmentes)", self.find("#verdict").text)

    def test_the_keyboard_alone_runs_and_steps_to_the_end_and_back(self):
        self.type_input((DATA / "several_passes" / "input").read_text())
        self.run_and_wait(lambda: self.find("#run").send_keys(Keys.ENTER))
        self.assertEqual(self.focused(), "verdict")
        # Through the check's section, whose definitions and derivations open from the keyboard.
        summaries = self.driver.find_elements(By.CSS_SELECTOR, "#analysis summary")
        self.assertGreater(len(summaries), 4)
        self.assertEqual(self.tab_to("step-previous").count("SUMMARY"), len(summaries))
        self.press(Keys.TAB)
        self.press(Keys.TAB)
        self.assertEqual(self.focused(), "step-next")
        for _ in range(4):  # one more than there are steps: the last press does nothing
            self.press(Keys.ENTER)
        self.assertTrue(self.find("#steps .step-words").text.startswith("3/3. lépés"))
        self.assertEqual(self.find("#step-next").get_attribute("aria-disabled"), "true")
        self.assertEqual(self.focused(), "step-next")
        for _ in range(4):
            self.press(Keys.ARROW_LEFT)
        self.assertTrue(self.find("#steps .step-words").text.startswith("0/3. lépés"))
        self.press(Keys.TAB, shift=True)
        self.assertEqual(self.focused(), "step-slider")
        self.press(Keys.ARROW_RIGHT)
        self.assertTrue(self.find("#steps .step-words").text.startswith("1/3. lépés"))
        # The boxes that scroll are stops of the Tab key, with a role and a name.
        self.type_input(FORTY)
        self.run_and_wait(lambda: self.find("#run").click())
        for box in self.driver.find_elements(By.CSS_SELECTOR, ".table-box, pre"):
            if self.driver.execute_script("const b = arguments[0]; return b.offsetParent !== null "
                                          "&& b.scrollWidth > b.clientWidth", box):
                self.assertEqual(box.get_attribute("tabindex"), "0")
                self.assertEqual(box.get_attribute("role"), "group")
                self.assertTrue(box.get_attribute("aria-label"))
        # The repair's button, found by Tab, runs the repaired input.
        self.run_and_wait(lambda: self.example("decomposition.txt"))
        self.tab_to("repair-apply")
        self.run_and_wait(lambda: self.press(Keys.ENTER))
        self.assertIn("(vesztesegmentes)", self.find("#verdict").text)
        # So does the design's, through the design's definitions.
        self.assertIn("SUMMARY", self.tab_to("synthesis-apply"))
        self.run_and_wait(lambda: self.press(Keys.ENTER))
        self.assertTrue(self.find("#input").get_property("value").startswith(
            "A,B,C\nB,C,D,F\nD,E\n\n"))

    def tab_to(self, target):
        """Presses Tab until target has the focus; returns what had it on the way."""
        passed = []
        while self.focused() != target:
            self.assertLess(len(passed), 50, f"Tab never reached {target}: {passed}")
            passed.append(self.focused())
            self.press(Keys.TAB)
        return passed

    def axe(self, selector=None):
        """The rules that axe-core breaks on the page as it stands, or in the element that
        selector finds: [id, impact, nodes]."""
        if self.driver.execute_script("return typeof axe") == "undefined":
            self.driver.execute_script(AXE.read_text())
        return self.driver.execute_async_script("""
            const [selector, done] = arguments;
            axe.run(selector ? document.querySelector(selector) : document).then((r) =>
                done(r.violations.map((v) =>
                    [v.id, v.impact, v.nodes.map((n) => n.target.join(' '))])));""", selector)

    def test_axe_core_finds_nothing_in_any_state_in_either_language(self):
        if AXE is None or not AXE.exists():
            if os.environ.get("CI"):
                self.fail(f"axe-core is not installed: {AXE}")
            self.skipTest("axe-core is not installed: npm install --prefix build/wasm/npm axe-core")
        refusal = "".join(f"A{k}\n" for k in range(1, 100001)) + "\nA1->A2\n"
        states = [
            ("load", None),
            ("a lossless run", lambda: self.example("pelda.txt")),
            ("a lossy run", lambda: self.example("lossy.txt")),
            ("the decomposition check and the design, every part open",
             lambda: self.example("decomposition.txt")),
            ("40 attributes", lambda: (self.type_input(FORTY), self.find("#run").click())),
            ("warnings and the tidy-up", lambda: (self.type_input(TYPED),
                                                  self.find("#run").click())),
            ("unknown names: the check's caveat", lambda: (self.type_input(MISREAD),
                                                           self.find("#run").click())),
            ("a refusal", lambda: self.driver.execute_script("""
                const data = new DataTransfer();
                data.items.add(new File([arguments[0]], 'refusal.txt'));
                document.body.dispatchEvent(
                    new DragEvent('drop', {dataTransfer: data, bubbles: true}));""", refusal)),
        ]
        for state, start in states:
            if start:
                self.run_and_wait(start)
            if state in ("warnings and the tidy-up", "unknown names: the check's caveat"):
                self.until(lambda: self.find("#tidy").is_displayed())
            if state.startswith("the decomposition check"):
                self.driver.execute_script(
                    "document.querySelectorAll('#outcome details').forEach((d) => d.open = true)")
            for language in ("en", "hu"):
                with self.subTest(state=state, language=language):
                    self.find(f'[data-language="{language}"]').click()
                    self.until(self.settled)
                    self.assertEqual(self.axe(), [])

    def test_a_phone_shows_every_table_inside_the_window(self):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 390, "height": 844, "deviceScaleFactor": 1, "mobile": True})
        try:
            self.type_input(FORTY)
            self.run_and_wait(lambda: self.find("#run").click())
            self.assertEqual(self.driver.execute_script(
                "return document.documentElement.scrollWidth"), 390)
            low = self.driver.execute_script("""
                return Array.from(document.querySelectorAll('button, input, textarea, .file'))
                    .filter((e) => e.offsetParent !== null && !e.classList.contains('visually-hidden'))
                    .filter((e) => e.getBoundingClientRect().height < 24)
                    .map((e) => e.id || e.textContent);""")
            self.assertEqual(low, [])
            self.driver.execute_script("document.getElementById('steps').scrollIntoView()")
            self.driver.save_screenshot(str(PAGE.parent / "phone.png"))
            # A long name in the check's sentences, and its tables opened, wrap on the screen.
            self.type_input("W" * 60 + ",B\nB,C\n\nB->C\n")
            self.run_and_wait(lambda: self.find("#run").click())
            self.driver.execute_script(
                "document.querySelectorAll('#analysis details').forEach((d) => d.open = true)")
            self.assertEqual(self.driver.execute_script(
                "return document.documentElement.scrollWidth"), 390)
            # The check's tables wrap between names, never inside a word, headers included.
            self.type_input(COMPANY)
            self.run_and_wait(lambda: self.find("#run").click())
            self.driver.execute_script(
                "document.querySelectorAll('#outcome details').forEach((d) => d.open = true)")
            broken = self.driver.execute_script("""
                const broken = [];
                const cells = document.querySelectorAll(
                    '#analysis table th, #analysis table td, #design table th, #design table td');
                for (const cell of cells) {
                  const walker = document.createTreeWalker(cell, NodeFilter.SHOW_TEXT);
                  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
                    for (const match of node.data.matchAll(/\\S+/g)) {
                      const range = document.createRange();
                      range.setStart(node, match.index);
                      range.setEnd(node, match.index + match[0].length);
                      if (range.getClientRects().length !== 1) broken.push(match[0]);
                    }
                  }
                }
                return [cells.length, broken];""")
            self.assertGreater(broken[0], 60)
            self.assertEqual(broken[1], [])
            self.assertEqual(self.driver.execute_script(
                "return document.documentElement.scrollWidth"), 390)
            self.driver.execute_script("document.getElementById('normal-forms').scrollIntoView()")
            self.driver.save_screenshot(str(PAGE.parent / "phone-check.png"))
        finally:
            self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def test_print_shows_no_controls_the_whole_trace_and_tables_in_blocks(self):
        with tempfile.TemporaryDirectory() as folder:
            path = pathlib.Path(folder) / "chain.txt"
            path.write_text(chain(300))
            self.open_file(path)
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 700, "height": 1000, "deviceScaleFactor": 1, "mobile": False})
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
        try:
            shown = self.driver.execute_script("""
                return Array.from(document.querySelectorAll('button, input, textarea'))
                    .filter((e) => e.getClientRects().length > 0).map((e) => e.id);""")
            self.assertEqual(shown, [])
            # The input stands above the verdict that belongs to it.
            printed = self.find("#printed-input")
            self.assertEqual(self.find("#printed-input-text").get_property("textContent"),
                             chain(300))
            self.assertLessEqual(printed.rect["y"] + printed.rect["height"],
                                 self.find("#verdict").rect["y"])
            trace = self.find("#trace-text")
            self.assertEqual(trace.get_property("textContent"),
                             bytes(self.run_bytes(chain(300).encode())["stdout"]).decode())
            self.assertLessEqual(trace.get_property("scrollHeight"),
                                 trace.get_property("clientHeight") + 1)
            self.assertLessEqual(self.driver.execute_script(
                "return document.documentElement.scrollWidth"), 700)
            # The final tableau's row of zeros, 301 columns, comes as blocks of columns.
            blocks = self.driver.find_elements(By.CSS_SELECTOR, "#steps .print-blocks table")
            self.assertGreater(len(blocks), 10)
            self.driver.save_screenshot(str(PAGE.parent / "print.png"))
        finally:
            self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})
            self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, ".print-blocks"), [])
        self.assertFalse(self.find("#printed-input").is_displayed())

    def test_a_5_mb_file_never_stalls_the_page(self):
        names = ",".join(f"N{k:08d}" for k in range(1, 520000))
        with tempfile.TemporaryDirectory() as folder:
            path = pathlib.Path(folder) / "names.txt"
            path.write_text(names + "\n\nN00000001->N00000002\n")
            self.assertGreater(path.stat().st_size, 5000000)
            self.driver.execute_script(GAP_TIMER)
            self.open_file(path)
        gap = self.driver.execute_script("return longest_gap")
        print(f"longest gap of the page's thread for a 5 MB file: {gap:.0f} ms", file=sys.stderr)
        # A freeze, as the text box once caused (5 s), not the 200 ms target: on shared machines a
        # test cannot hold a timing that close. bench/page_gaps.sh measures the target.
        self.assertLess(gap, 1000)
        # Not put into the text box: its name, its size and its first line stand instead.
        self.assertFalse(self.find("#input").is_displayed())
        self.assertIn("names.txt", self.find("#file-card").text)
        self.assertTrue(self.find("#file-lines").text.startswith("N00000001,N00000002,"))
        self.assertIn("(vesztesegmentes)", self.find("#verdict").text)
        self.assertTrue(self.find("#trace-note").is_displayed())

    def test_one_verdict_always_for_the_input_on_screen(self):
        # A lossy file opened while a long lossless run is in flight: the lossless answer never
        # shows, and the page stays busy until the lossy one is drawn.
        self.driver.execute_script("""
            window.seen = [];
            new MutationObserver(() => seen.push([
                document.getElementById('verdict').textContent,
                document.getElementById('busy').hidden])).observe(document.getElementById('outcome'),
                {subtree: true, childList: true, attributes: true});""")
        self.type_input(chain(2000))
        self.find("#run").click()
        self.assertEqual(self.find("#run").get_attribute("aria-disabled"), "true")
        self.open_file(EXAMPLES / "lossy.txt")
        seen = self.driver.execute_script("return seen")
        self.assertEqual([text for text, _ in seen if "(vesztesegmentes)" in text], [])
        self.assertIn("(nem vesztesegmentes)", seen[-1][0])

        # Editing greys the answer with a note; clicking an example runs it.
        self.find("#input").send_keys("X")
        self.assertIn("stale", self.find("#outcome").get_attribute("class"))
        self.assertIn("korábbi bemenethez", self.find("#verdict").text)
        self.run_and_wait(lambda: self.example("pelda.txt"))
        self.assertNotIn("stale", self.find("#outcome").get_attribute("class"))
        self.assertIn("(vesztesegmentes)", self.find("#verdict").text)

        # An empty input, or newlines only, after a refusal: the console's verdict, no tableau.
        self.run_and_wait(lambda: self.driver.execute_script("""
            const data = new DataTransfer();
            data.items.add(new File([new Uint8Array([0xff, 0xfe, 0x41, 0])], 'utf16.txt'));
            document.body.dispatchEvent(new DragEvent('drop', {dataTransfer: data, bubbles: true}));
            """))
        self.assertIn("kilépési kód: 2", self.find("#verdict").text)
        for text in ("", "\n\n\n"):
            self.type_input(text)
            self.run_and_wait(lambda: self.find("#run").click())
            self.assertIn("(nem vesztesegmentes)", self.find("#verdict").text)
            self.assertIn("egy sémát sem", self.find("#verdict").text)
            self.assertNotIn("túl nagy", self.find("#outcome").text)

    def test_the_words_follow_the_language_and_hungarian_grammar(self):
        self.assertEqual(self.find(".file").text, "Fájl megnyitása…")
        # Names read letter by letter, Ssn (es-es-en) and SSN, and two rows of zeros.
        self.type_input("Ssn,SSN\nSsn,F\nSSN,B\n\nSsn->F\nSsn->SSN\nSSN->B\n")
        self.run_and_wait(lambda: self.find("#run").click())
        self.assertIn("A kiemelt sorok csupa 0.", self.find("#steps").text)
        self.find("#step-next").click()
        self.assertEqual(self.find("#steps .step-words").text,
                         "1/4. lépés 1. kör, Ssn -> F: az 1. és a 2. sor egyezik az Ssn "
                         "oszlopban, ezért az F oszlopban az 1 helyére 0 kerül (1. sor).")
        self.driver.execute_script("""
            const slider = document.getElementById('step-slider');
            slider.value = 4;
            slider.dispatchEvent(new Event('input'));""")
        self.assertEqual(self.find("#steps .step-words").text,
                         "4/4. lépés 1. kör, SSN -> B: az 1. és a 3. sor egyezik az SSN "
                         "oszlopban, ezért a B oszlopban az 1 helyére 0 kerül (1. és 2. sor).")
        # The language is kept across a reload, and ?lang= in the address sets it.
        self.find('[data-language="en"]').click()
        self.driver.get(PAGE.as_uri())
        self.assertEqual(self.find("#run").text, "Run")
        self.driver.get(PAGE.as_uri() + "?lang=hu")
        self.assertEqual(self.find("#run").text, "Futtatás")
        self.driver.get(PAGE.as_uri() + "?lang=en")
        self.assertEqual(self.find(".file").text, "Open a file…")

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
