#!/usr/bin/env python3
"""The README's orbiton-batch examples, run as printed in a tree laid out
like the project's root, and the CSV and JSON they write read back with
Python's csv and json modules; the single-run formats; the progress line,
on a terminal only.

Usage: examples_test.py ORBITON_BATCH SOURCE_DIR
"""
import csv
import json
import os
import pty
import re
import subprocess
import sys
import tempfile
import time

batch, source = sys.argv[1], sys.argv[2]

SUMMARY = [("meanCuttingPower", "kW"), ("removalRatePower", "kW"), ("meanCutterTorque", "Nm"),
           ("meanBarTorque", "Nm"), ("minClearanceAxial", "Grad"), ("minClearanceOuter", "Grad"),
           ("minClearanceInner", "Grad"), ("feedSpeed", "mm/min"), ("spindleSpeed", "1/min"),
           ("circularSpeed", "1/min"), ("roughnessDepth", "mm")]
SUMMARY_HEADER = [f"{name} [{unit}]" for name, unit in SUMMARY]
CHANNELS = ["Phij [Grad]", "lfc [mm]", "ap [mm]", "bz [mm]", "Höhe_ax [mm]", "Breite_ax [mm]",
            "Hebel_ax [mm]", "Höhe_IA [mm]", "Breite_IA [mm]", "Hebel_IA [mm]", "RvGrenz [mm]",
            "Fcj [N]", "FcNj [N]", "Fqj [N]", "Pcj [W]", "Fcx [N]", "Fcy [N]", "Fc [N]",
            "Phirc [Grad]", "FcNx [N]", "FcNy [N]", "FcN [N]", "PhirN [Grad]", "Fqx [N]", "Fqy [N]",
            "Fq [N]", "PhirQ [Grad]", "Pc [W]", "Mc [Nm]", "Mb [Nm]", "A [mm²]"]


def check(condition, message):
    if not condition:
        sys.exit("FAILED: " + message)


def read_csv(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.reader(f))


def examples():
    """The shell commands and the Python snippet between the README's markers."""
    with open(os.path.join(source, "README.md"), encoding="utf-8") as f:
        readme = f.read()
    block = re.search(r"<!-- beispiele:.*?-->(.*?)<!-- /beispiele -->", readme, re.S)
    check(block is not None, "README has no marked examples")
    text = block.group(1)
    commands = [line[4:] for line in text.splitlines() if line.startswith("    build/")]
    snippet = re.search(r"```python\n(.*?)```", text, re.S)
    check(snippet is not None, "README examples have no Python snippet")
    return commands, snippet.group(1)


with tempfile.TemporaryDirectory() as root:
    # The project's root as the README assumes it after a build.
    os.makedirs(os.path.join(root, "build/app/orbiton-batch"))
    os.symlink(os.path.abspath(batch), os.path.join(root, "build/app/orbiton-batch/orbiton-batch"))
    os.symlink(os.path.join(source, "data"), os.path.join(root, "data"))

    commands, snippet = examples()
    check(len(commands) == 2, f"two example commands, found {commands}")
    for command in commands:
        run = subprocess.run(command, shell=True, cwd=root, capture_output=True)
        check(run.returncode == 0, f"{command}: status {run.returncode}, {run.stderr!r}")
        check(run.stdout == b"" and run.stderr == b"", f"{command}: output besides the file")

    rows = read_csv(os.path.join(root, "schnittgeschwindigkeit.csv"))
    check(rows[0] == ["cuttingSpeed [m/min]"] + SUMMARY_HEADER + ["error"], f"CSV header {rows[0]}")
    check([r[0] for r in rows[1:]] == [str(v) for v in range(60, 301, 20)], "cutting speeds 60..300")
    for r in rows[1:]:
        check(r[-1] == "" and all(float(v) == float(v) for v in r[1:-1]), f"CSV row {r}")
    powers = [float(r[1]) for r in rows[1:]]
    check(powers == sorted(powers) and powers[0] > 0, "mean cutting power grows with the cutting speed")

    with open(os.path.join(root, "gitter.json"), encoding="utf-8") as f:
        runs = json.load(f)
    check(len(runs) == 36, f"6 x 6 runs, found {len(runs)}")
    check(runs[0]["varied"] == {"toothCount": 1, "radialFeedPerTooth": 0.05}, f"first run {runs[0]['varied']}")
    check(runs[-1]["varied"] == {"toothCount": 6, "radialFeedPerTooth": 0.3}, f"last run {runs[-1]['varied']}")
    for run in runs:
        check(run["error"] is None, f"run failed: {run}")
        check([(s["name"], s["unit"]) for s in run["summary"]] == SUMMARY, "summary names and units")
        check(all(isinstance(s["value"], float) for s in run["summary"]), "summary values are numbers")

    shown = subprocess.run([sys.executable, "-c", snippet], cwd=root, capture_output=True, text=True)
    check(shown.returncode == 0, f"Python snippet: {shown.stderr}")
    lines = shown.stdout.splitlines()
    check(len(lines) == 36 and lines[0].startswith("{'toothCount': 1, 'radialFeedPerTooth': 0.05} "),
          f"snippet output {lines[:2]}")

    # One run: the 31 channels per row in CSV, inputs, summary and channels in JSON.
    default = os.path.join(source, "data", "default.ads")
    table = os.path.join(root, "lauf.csv")
    subprocess.run([batch, default, "--format", "csv", "-o", table], check=True)
    rows = read_csv(table)
    check(rows[0] == CHANNELS, f"channel header {rows[0]}")
    check(len(rows) == 122 and all(len(r) == 31 for r in rows), "121 rows of 31 values")
    check(float(rows[1][11]) == 114.252045, f"Fcj of row 0 {rows[1][11]}")
    document = json.loads(subprocess.run([batch, default, "--format", "json"], check=True,
                                         capture_output=True).stdout)
    check(document["inputs"]["boreDiameter"] == 88 and document["inputs"]["insertShape"] == "rechteckig"
          and document["inputs"]["rakeCorrOnC"] is True and len(document["inputs"]) == 50, "inputs used")
    check([(s["name"], s["unit"]) for s in document["summary"]] == SUMMARY, "single-run summary")
    check([f"{c['key']} [{c['unit']}]" for c in document["channels"]] == CHANNELS, "channel keys and units")
    check(all(len(c["values"]) == 121 and c["description"] for c in document["channels"]), "channel values")
    check(document["channels"][11]["values"][0] == 114.252045, "JSON value of Fcj, row 0")

    # A study that lasts well over a second shows a progress line on a
    # terminal and nothing when standard error is a pipe. The study grows
    # until it lasts long enough on this machine.
    def on_terminal(command):
        controller, terminal = pty.openpty()
        started = time.monotonic()
        process = subprocess.Popen(command, stderr=terminal)
        os.close(terminal)
        shown = b""
        while True:
            try:
                chunk = os.read(controller, 4096)
            except OSError:  # the terminal closed with the process
                break
            if not chunk:
                break
            shown += chunk
        os.close(controller)
        check(process.wait() == 0, "study on a terminal")
        return shown, time.monotonic() - started

    for runs in (3000, 12000, 48000):
        study = [batch, default, "--vary", f"cuttingSpeed=1:{runs}:1", "--format", "csv", "-o",
                 os.path.join(root, "studie.csv"), "--jobs", "1"]
        shown, seconds = on_terminal(study)
        if seconds >= 1.5:
            break
    check(seconds >= 1.5, "no study lasted 1,5 s")
    check(re.search(rb"\rLauf \d+ von \d+ \(\d+ %\)", shown) is not None, f"progress line {shown[:80]!r}")
    check(shown.endswith(b"\r"), "the progress line is cleared at the end")
    quiet = subprocess.run(study, capture_output=True)
    check(quiet.returncode == 0 and quiet.stderr == b"", f"progress on a pipe: {quiet.stderr[:80]!r}")

print("README examples, CSV and JSON: ok")
