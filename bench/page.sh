#!/usr/bin/env bash
# The page against the console tool on one input, in one run: the console's wall time, the engine's
# time in the page (window.lossless.run, from the bytes to the answer), and what a person waits for
# (from choosing the file in #file until the verdict is shown). Medians of the given runs.
#
#   bash bench/page.sh [runs] [generate arguments...]     (default: 5 runs of chain 300)
#
# Needs the release and wasm presets' tools, Debian's chromium, chromium-driver and
# python3-selenium.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
shift || true
family=("$@")
((${#family[@]})) || family=(chain 300)

cmake --preset release >/dev/null && cmake --build --preset release >/dev/null
cmake --preset wasm >/dev/null && cmake --build --preset wasm >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/release/bench/generate "${family[@]}" >"$work/input.txt"

for ((i = 0; i < runs; i++)); do
  start=$(date +%s%N)
  build/release/lossless "$work/input.txt" "$work/result.txt" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000)) >>"$work/console"
done
console=$(sort -n "$work/console" | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1000 }')

/usr/bin/python3 - "$PWD/build/wasm/lossless.html" "$work/input.txt" "$runs" "$work" <<'EOF'
import statistics, sys, time
from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

page, input_path, runs, work = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
options = Options()
options.binary_location = "/usr/bin/chromium"
for flag in ["--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             f"--user-data-dir={work}/profile", "--window-size=1100,1400"]:
    options.add_argument(flag)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
engine, person = [], []
for _ in range(runs):
    driver.get("file://" + page)
    # The first run also compiles the engine; a person pays that once per page load too.
    ms = driver.execute_async_script("""
        const [bytes, done] = arguments;
        const t = performance.now();
        window.lossless.run(new TextEncoder().encode(bytes), 'input').then(() => done(performance.now() - t));
        """, open(input_path).read())
    engine.append(ms)
    driver.execute_script("document.getElementById('verdict').hidden = true")
    start = time.monotonic()
    driver.find_element(By.ID, "file").send_keys(input_path)
    while not driver.find_element(By.ID, "verdict").is_displayed():
        time.sleep(0.005)
    person.append((time.monotonic() - start) * 1000)
driver.quit()
print(f"page engine (window.lossless.run), median of {runs}: {statistics.median(engine):.1f} ms")
print(f"page, file chosen to verdict shown, median of {runs}: {statistics.median(person):.1f} ms")
EOF
echo "console, median of $runs: $console ms"
