#!/usr/bin/env bash
# The verdict first, then the check, then the design, on the page: 100 attributes, 30 schemes and
# 100 000 random dependencies whose left sides hold 8 to 14 attributes, a check and a design that
# their work budgets cut. In headless Chromium, from choosing the file in #file until the verdict is
# shown, until the whole check is drawn, and until the whole design is drawn; beside them the
# console tool's run without and with --json and --design. Medians of the given runs.
#
#   bash bench/page_check.sh [runs]     (default: 5)
#
# Needs the release and wasm presets' tools, Debian's chromium, chromium-driver and
# python3-selenium.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
cmake --preset release >/dev/null && cmake --build --preset release >/dev/null
cmake --preset wasm >/dev/null && cmake --build --preset wasm >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$PWD/build/wasm/lossless.html" "$PWD/build/release/lossless" "$runs" "$work" <<'PY'
import pathlib, random, statistics, subprocess, sys, time
from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

page, lossless, runs, work = sys.argv[1], sys.argv[2], int(sys.argv[3]), pathlib.Path(sys.argv[4])


def wide(attributes, schemes, dependencies, left, rnd=random.Random(11)):
    """schemes random schemes over A1..A<attributes>, each attribute in one and 1 to 4 more at
    random; random dependencies whose left sides hold left[0] to left[1] attributes and whose
    right sides one or two."""
    names = lambda columns: ",".join(f"A{c + 1}" for c in columns)
    lines = [names(sorted(set(range(i, attributes, schemes))
                          | {rnd.randrange(attributes) for _ in range(1 + rnd.randrange(4))}))
             for i in range(schemes)]
    lines.append("")
    for _ in range(dependencies):
        lines.append(names(rnd.sample(range(attributes), rnd.randint(*left))) + "->"
                     + names(rnd.sample(range(attributes), 1 + rnd.randrange(2))))
    return "\n".join(lines) + "\n"


path = work / "input.txt"
path.write_text(wide(100, 30, 100000, (8, 14)))


def console(*args):
    times = []
    for _ in range(runs):
        start = time.monotonic()
        subprocess.run([lossless, *args], stdout=subprocess.DEVNULL, check=True)
        times.append((time.monotonic() - start) * 1000)
    return statistics.median(times)


chase = console(str(path), str(work / "result.txt"))
checked = console("--json", str(path))
designed = console("--design", str(path))

options = Options()
options.binary_location = "/usr/bin/chromium"
for flag in ["--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             f"--user-data-dir={work}/profile", "--window-size=1100,1400"]:
    options.add_argument(flag)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
# The check's part is drawn and no longer busy: the whole check is on screen.
CHECKED = """
    const section = document.getElementById('analysis');
    return document.getElementById('preservation') !== null &&
        section.getAttribute('aria-busy') !== 'true';"""
# The design's section is drawn and no longer busy.
DESIGNED = """
    const section = document.getElementById('design');
    return document.getElementById('cover') !== null &&
        section.getAttribute('aria-busy') !== 'true';"""
verdicts, checks, designs = [], [], []
for _ in range(runs):
    driver.get("file://" + page)
    # One run first, so that compiling the engine is not counted; a person pays it once per page.
    driver.execute_async_script(
        "window.lossless.run(new Uint8Array([65]), 'x').then(() => arguments[0]())")
    driver.execute_script("document.getElementById('verdict').hidden = true")
    start = time.monotonic()
    driver.find_element(By.ID, "file").send_keys(str(path))
    while not driver.find_element(By.ID, "verdict").is_displayed():
        time.sleep(0.005)
    verdicts.append((time.monotonic() - start) * 1000)
    while not driver.execute_script(CHECKED):
        time.sleep(0.005)
    checks.append((time.monotonic() - start) * 1000)
    while not driver.execute_script(DESIGNED):
        time.sleep(0.005)
    designs.append((time.monotonic() - start) * 1000)
driver.quit()
print(f"console, plain run, median of {runs}: {chase:.0f} ms")
print(f"console, --json, median of {runs}: {checked:.0f} ms")
print(f"console, --design, median of {runs}: {designed:.0f} ms")
print(f"page, file chosen to verdict shown, median of {runs}: {statistics.median(verdicts):.0f} ms")
print(f"page, file chosen to the whole check drawn, median of {runs}: "
      f"{statistics.median(checks):.0f} ms")
print(f"page, file chosen to the whole design drawn, median of {runs}: "
      f"{statistics.median(designs):.0f} ms")
PY
