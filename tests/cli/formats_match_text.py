#!/usr/bin/env python3
"""Every operation's --format csv and json, read with Python's own parsers, hold the rows of its text
output with the same values; on loopback and names from the hosts file only."""
import csv
import io
import json
import re
import subprocess
import sys
import tempfile

CLI = sys.argv[1]
failures = []


def run(config, *arguments):
    result = subprocess.run([CLI, "--config-dir", config, *arguments], capture_output=True, text=True,
                            timeout=120)
    return result.returncode, result.stdout


def text_rows(output, header):
    """The table rows of a text run: the lines after the header line, up to the first line that is not
    a row (cells are two or more blanks apart; empty cells are left out)."""
    lines = output.splitlines()
    start = next(i for i, line in enumerate(lines) if line.startswith(header))
    rows = []
    for line in lines[start + 1:]:
        cells = [cell for cell in re.split(r"\s{2,}", line.strip()) if cell]
        if not cells or not re.match(r"^[0-9.]+$", cells[0]):
            break
        rows.append(cells)
    return rows


def check(name, condition, detail=""):
    if not condition:
        failures.append(f"{name}: {detail}")


# (name, arguments, text header, csv columns that the text table shows in its order)
CASES = [
    ("ping", ["--set", "Packets=3", "ping", "127.0.0.1"], "Ping #",
     ["packet", "address", "rtt_ms", "ttl", "bytes"]),
    ("continuous-ping", ["--set", "Packets=2", "--set", "ContPingInterval=1", "ping", "127.0.0.1",
                         "--cycles", "2"], "Ping #", ["packet", "address", "rtt_ms", "ttl", "bytes"]),
    ("trace", ["trace", "127.0.0.1"], "Hops", ["hop", "address", "rtt_ms"]),
    ("seqscan", ["seqscan", "127.0.0.1", "127.0.0.4"], "IP Address", ["address", "rtt_ms"]),
    ("listscan", ["listscan", "127.0.0.2", "localhost"], "IP Address", ["address", "rtt_ms", "name"]),
]

def without_times(rows, columns):
    """The rows with their round-trip times left out: three runs on a busy machine need not measure alike.
    Empty cells are already left out, so a row without a name is shorter; its time keeps its place."""
    if "rtt_ms" not in columns:
        return rows
    at = columns.index("rtt_ms")
    return [[cell if i != at or not re.fullmatch(r"\d+(\.\d+)?", cell) else "rtt"
             for i, cell in enumerate(row)] for row in rows]


with tempfile.TemporaryDirectory() as config:
    for name, arguments, header, columns in CASES:
        text_status, text = run(config, *arguments)
        csv_status, csv_text = run(config, "--format", "csv", *arguments)
        json_status, json_text = run(config, "--format", "json", *arguments)
        check(name, text_status == csv_status == json_status == 0,
              f"exit statuses {text_status} {csv_status} {json_status}")
        expected = without_times(text_rows(text, header), columns)
        check(name, len(expected) > 0, "no rows in the text output")

        table = list(csv.DictReader(io.StringIO(csv_text)))
        csv_rows = without_times([[row[column] for column in columns if row[column] != ""] for row in table],
                                 columns)
        check(name, csv_rows == expected, f"csv {csv_rows} != text {expected}")
        check(name, all(row["status"] == "reply" for row in table), "csv status")

        events = [json.loads(line) for line in json_text.splitlines()]
        check(name, all(event["operation"] == name for event in events), "json operation")
        check(name, events[0]["event"] == "start", "json starts with its start event")
        json_rows = without_times([[str(event[column]) for column in columns if column in event]
                                   for event in events if event["event"] == "row"], columns)
        check(name, json_rows == expected, f"json {json_rows} != text {expected}")
        if "ping" in name:
            summary = events[-1]
            check(name, summary["event"] == "summary" and summary["sent"] == len(expected) and
                  summary["received"] == len(expected) and summary["loss"] == 0, f"summary {summary}")
            match = re.search(r"(\d+) of (\d+) packets returned", text)
            check(name, match and int(match.group(2)) == summary["sent"], "the text's sums")

    # Lookup: the name and address rows of the report.
    status, text = run(config, "lookup", "localhost")
    _, csv_text = run(config, "--format", "csv", "lookup", "localhost")
    table = list(csv.DictReader(io.StringIO(csv_text)))
    check("lookup", status == 0, f"exit {status}")
    check("lookup", table[0]["label"] == "name" and
          re.search(r"Official Name:\s+" + re.escape(table[0]["name"]) + r"\s*$", text, re.M), "name")
    for row in table[1:]:
        check("lookup", row["label"] != "address" or row["address"] in text, f"address {row}")

    # ISPinger: two requests, the success rate of the stop line against the sums.
    arguments = ["--set", "ISPInterval=1", "isp", "127.0.0.1", "--count", "2"]
    status, text = run(config, *arguments)
    _, json_text = run(config, "--format", "json", *arguments)
    events = [json.loads(line) for line in json_text.splitlines()]
    rows = [event for event in events if event["event"] == "row"]
    check("ispinger", status == 0 and [row["packet"] for row in rows] == [1, 2], f"{events}")
    check("ispinger", rows[1]["time_ms"] >= rows[0]["time_ms"], "time")
    rate = int(re.search(r"(\d+)% ping success rate", text).group(1))
    check("ispinger", events[-1]["event"] == "summary" and 100 - events[-1]["loss"] == rate, "rate")

    # Path monitor: three rounds to loopback. The report's row in text, csv and json alike (its name is
    # left out: it may arrive after the last round), times in milliseconds with three decimals; --stream
    # adds one event per round.
    arguments = ["--set", "PathMonitorInterval=1", "monitor", "127.0.0.1", "--cycles", "3"]
    status, text = run(config, *arguments)
    csv_status, csv_text = run(config, "--format", "csv", *arguments)
    json_status, json_text = run(config, "--format", "json", *arguments, "--stream")
    check("monitor", status == csv_status == json_status == 0, f"exit {status} {csv_status} {json_status}")
    rows = text_rows(text, "Hop")
    check("monitor", len(rows) == 1 and rows[0][:4] == ["1", "127.0.0.1", "0.0%", "3"], f"text {rows}")
    check("monitor", all(re.match(r"^\d+\.\d{3}$", cell) for cell in rows[0][4:10]), f"times {rows}")
    table = list(csv.DictReader(io.StringIO(csv_text)))
    check("monitor", [[row["hop"], row["address"], row["loss"] + "%", row["sent"]] for row in table] ==
          [["1", "127.0.0.1", "0%", "3"]], f"csv {table}")
    best, avg, worst = (float(table[0][column]) for column in ("best_ms", "avg_ms", "worst_ms"))
    check("monitor", best <= avg <= worst, f"csv times {table}")
    events = [json.loads(line) for line in json_text.splitlines()]
    check("monitor", [event["round"] for event in events if event["event"] == "round"] == [1, 2, 3],
          f"rounds {events}")
    hops = [event for event in events if event["event"] == "row"]
    check("monitor", len(hops) == 1 and hops[0]["hop"] == 1 and hops[0]["sent"] == 3 and
          hops[0]["received"] == 3 and isinstance(hops[0]["avg_ms"], float), f"json {hops}")

for failure in failures:
    print("FAIL", failure)
sys.exit(1 if failures else 0)
