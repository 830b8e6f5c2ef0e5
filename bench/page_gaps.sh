#!/usr/bin/env bash
# How long the page's thread is ever busy at a time while a big file is opened, run and shown: the
# longest gap between two ticks of a 5 ms timer, from choosing the file in #file until the verdict
# (or the refusal), then the check and then the design are drawn and the page is idle again.
# Medians of the given runs, per input: one scheme line of 520 000 names (5 MB, whose design is a
# 31 MB object), 100 000 dependency lines, 100 attributes in 30 schemes under 100 000 random
# dependencies (whose decomposition check is a 10 MB object), the same with left sides of 8 to 14
# attributes (a check and a design of seconds, which their budgets cut), 1,000 attributes on one
# scheme line under 1,000 random dependencies (a design of 2.6 MB, every part complete), and 1 MB
# of random bytes. The page promises no gap above 200 ms; the page test only guards against a
# freeze.
#
#   bash bench/page_gaps.sh [runs]     (default: 5)
#
# Needs the wasm preset's page, Debian's chromium, chromium-driver and python3-selenium.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
cmake --preset wasm >/dev/null && cmake --build --preset wasm >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$PWD/build/wasm/lossless.html" "$runs" "$work" <<'PY'
import pathlib, random, statistics, sys, time
from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

page, runs, work = sys.argv[1], int(sys.argv[2]), pathlib.Path(sys.argv[3])


def wide(m, n, f, left=None, rnd=random.Random(7)):
    """n schemes over A1..Am, each attribute in one and 1 to 4 more at random; f random
    dependencies with 1 to 3 names on the left, or left[0] to left[1], and 1 or 2 on the right."""
    names = lambda columns: ",".join(f"A{c + 1}" for c in columns)
    lines = [names(list(range(i, m, n)) + [rnd.randrange(m) for _ in range(1 + rnd.randrange(4))])
             for i in range(n)]
    lines.append("")
    count = lambda: 1 + rnd.randrange(3) if left is None else rnd.randint(*left)
    lines += [names(rnd.randrange(m) for _ in range(count())) + "->"
              + names(rnd.randrange(m) for _ in range(1 + rnd.randrange(2))) for _ in range(f)]
    return "\n".join(lines).encode() + b"\n"


inputs = {
    "5 MB scheme line": ",".join(f"N{k:08d}" for k in range(1, 520000)).encode()
                        + b"\n\nN00000001->N00000002\n",
    "100 000 dependencies": b"A,B,C\nC,D,E\n\n"
                            + b"".join(b"A,B->C\nC->D\nD,E->A\n" for _ in range(33334)),
    "100 attributes, 30 schemes, 100 000 random dependencies": wide(100, 30, 100000),
    "the same, left sides of 8 to 14 (a check cut by its budget)": wide(100, 30, 100000, (8, 14)),
    "1 000 attributes, one scheme, 1 000 random dependencies (a design of 2.6 MB)":
        wide(1000, 1, 1000),
    "random 1 MB": random.Random(1).randbytes(1 << 20),
}
options = Options()
options.binary_location = "/usr/bin/chromium"
for flag in ["--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             f"--user-data-dir={work}/profile", "--window-size=1100,1400"]:
    options.add_argument(flag)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
for name, data in inputs.items():
    path = work / "input.txt"
    path.write_bytes(data)
    gaps = []
    for _ in range(runs):
        driver.get("file://" + page)
        # One run first, so that compiling the engine is not counted.
        driver.execute_async_script(
            "window.lossless.run(new Uint8Array([65]), 'x').then(arguments[0])")
        driver.execute_script("""
            window.longest_gap = 0;
            let last = performance.now();
            setInterval(() => {
              const now = performance.now();
              window.longest_gap = Math.max(window.longest_gap, now - last);
              last = now;
            }, 5);
            document.getElementById('verdict').hidden = true;""")
        driver.find_element(By.ID, "file").send_keys(str(path))
        while not driver.execute_script("""
                return !document.getElementById('verdict').hidden &&
                    document.getElementById('busy').hidden &&
                    document.getElementById('analysis').getAttribute('aria-busy') !== 'true' &&
                    document.getElementById('design').getAttribute('aria-busy') !== 'true';"""):
            time.sleep(0.01)
        time.sleep(0.5)  # what is drawn after the verdict
        gaps.append(driver.execute_script("return longest_gap"))
    print(f"{name}: longest gap, median of {runs}: {statistics.median(gaps):.0f} ms "
          f"(max {max(gaps):.0f} ms)")
driver.quit()
PY
