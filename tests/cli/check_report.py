#!/usr/bin/python3
"""The tool's HTML report in headless Chromium: the page loads without script errors, its table holds
one row per member and force of the summary CSV, a click on a column's title sorts by it (twice:
the other way), and a click on a row draws its envelopes.

    check_report.py VYMATH INPUT WORKDIR [--screenshot PNG] [vymath options...]
"""
import csv
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

PROBE_HEAD = """<script>window.__errors = [];
window.addEventListener("error", e => window.__errors.push(String(e.message)));</script>"""

PROBE_TAIL = """<script>
(function () {
  const out = {errors: window.__errors};
  try {
    const rows = () => Array.from(document.querySelectorAll("#summary tbody tr.row"));
    out.rows = rows().map(r => [r.cells[0].textContent, r.cells[1].textContent]);
    const head = document.querySelectorAll("#summary thead th");
    const max = Array.from(head).findIndex(th => th.textContent === "max");
    const values = () => rows().map(r => parseFloat(r.cells[max].dataset.v));
    head[max].click();
    out.ascending = values();
    head[max].click();
    out.descending = values();
    head[0].click();
    out.byMember = rows().map(r => r.cells[0].textContent);
    rows()[0].click();
    const plot = document.querySelector("#summary tr.plot");
    out.paths = plot ? plot.querySelectorAll("svg path").length : 0;
    out.legend = plot ? plot.querySelector(".legend").textContent : "";
  } catch (e) {
    out.errors.push("probe: " + e);
  }
  const pre = document.createElement("pre");
  pre.id = "probe";
  pre.textContent = JSON.stringify(out);
  document.body.appendChild(pre);
})();
</script>"""


def chromium():
    for name in ("chromium", "chromium-browser"):
        path = shutil.which(name)
        if path:
            return path
    sys.exit("check_report.py: chromium not found (tools/install-deps.sh installs it)")


def browse(page, profile, extra):
    cmd = [chromium(), "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
           "--user-data-dir=" + profile, "--virtual-time-budget=10000"] + extra + ["file://" + page]
    return subprocess.run(cmd, capture_output=True, text=True, timeout=120)


def main():
    exe, source, work = sys.argv[1:4]
    rest = sys.argv[4:]
    screenshot = None
    if rest[:1] == ["--screenshot"]:
        screenshot, rest = rest[1], rest[2:]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    report, summary = os.path.join(work, "report.html"), os.path.join(work, "summary.csv")
    subprocess.run([exe, "envelope", source, "-q", "--html", report, "--csv", summary] + rest, check=True)
    with open(summary, newline="") as f:
        want = [[r["member"] or "-", r["force"]] for r in csv.DictReader(f)]
    with open(report, encoding="utf-8") as f:
        page = f.read()
    if re.search(r"""(src|href)\s*=\s*["']?(https?:)?//""", page):
        sys.exit("the page loads something from the network")
    probed = os.path.join(work, "probed.html")
    with open(probed, "w", encoding="utf-8") as f:
        f.write(page.replace("<head>", "<head>" + PROBE_HEAD, 1).replace("</body>", PROBE_TAIL + "</body>", 1))
    with tempfile.TemporaryDirectory() as profile:
        run = browse(probed, profile, ["--dump-dom"])
        if screenshot:
            browse(report, profile, ["--hide-scrollbars", "--window-size=1200,800", "--screenshot=" + screenshot])
    found = re.search(r'<pre id="probe">(.*?)</pre>', run.stdout, re.S)
    if not found:
        sys.exit("the page did not run its script to the end:\n" + run.stderr[-2000:])
    text = found.group(1).replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", '"').replace("&amp;", "&")
    got = json.loads(text)
    problems = []
    if got["errors"]:
        problems.append("script errors: %s" % got["errors"])
    if got.get("rows") != want:
        problems.append("table rows %s, expected %s" % (got.get("rows"), want))
    asc = got.get("ascending", [])
    if asc != sorted(asc) or len(asc) != len(want):
        problems.append("not sorted by max, ascending: %s" % asc)
    if got.get("descending") != sorted(asc, reverse=True):
        problems.append("not sorted by max, descending: %s" % got.get("descending"))
    if got.get("byMember") != sorted(got.get("byMember", [])):
        problems.append("not sorted by member: %s" % got.get("byMember"))
    if got.get("paths", 0) < 2 or "Governing" not in got.get("legend", ""):
        problems.append("no envelope plot after a click: %d paths, legend %r"
                        % (got.get("paths", 0), got.get("legend")))
    if problems:
        sys.exit("\n".join(problems))
    print("report: %d rows, sorted, plotted without script errors" % len(want))


if __name__ == "__main__":
    main()
