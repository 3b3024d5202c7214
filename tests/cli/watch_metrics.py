#!/usr/bin/env python3
"""vantrel-cli watch run --metrics as Prometheus sees it: promtool finds the text well-formed, hostile
requests (a huge line, wrong methods, garbage, a client that never finishes) leave the probing undisturbed,
and a Prometheus server that scrapes it finds probe_success 1 for an answering host and 0 for a silent one.
As root the run happens in a network namespace of the test's own, with a silent host beyond a link;
without root only loopback is watched (VANTREL_REQUIRE_ROOT_TESTS=1 makes that a failure)."""
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

CLI = sys.argv[1]
NAMESPACE = f"vtwatch{os.getpid()}"
failures = []


def check(name, condition, detail=""):
    if not condition:
        failures.append(f"{name}: {detail}")


def get(url, timeout=5):
    try:
        with urllib.request.urlopen(url, timeout=timeout) as response:
            return response.status, response.read().decode()
    except urllib.error.HTTPError as error:
        return error.code, ""


def wait_for(what, condition, limit=60):
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        try:
            value = condition()
            if value:
                return value
        except (OSError, ValueError, KeyError):  # not listening yet, or not ready to answer
            pass
        time.sleep(0.2)
    failures.append(f"timed out waiting for {what}")
    return None


def sent(metrics_url, host):
    _, text = get(metrics_url)
    for line in text.splitlines():
        if line.startswith(f'probe_sent_total{{host="{host}"'):
            return int(line.split()[-1])
    return 0


def in_namespace():
    """The test itself, run again inside a namespace with an answering and a silent host."""
    subprocess.run(["ip", "netns", "add", NAMESPACE], check=True)
    try:
        # 10.77.0.1 is the namespace's own; nobody answers for 10.77.0.2 beyond the link.
        for command in (["link", "set", "lo", "up"], ["link", "add", "v0", "type", "veth", "peer", "name", "v1"],
                        ["addr", "add", "10.77.0.1/24", "dev", "v0"], ["link", "set", "v0", "up"],
                        ["link", "set", "v1", "up"]):
            subprocess.run(["ip", "-n", NAMESPACE, *command], check=True)
        subprocess.run(["ip", "netns", "exec", NAMESPACE, "sysctl", "-qw",
                        "net.ipv4.ping_group_range=0 2147483647"], check=True)
        return subprocess.run(["ip", "netns", "exec", NAMESPACE, sys.executable, __file__, CLI, "--inside"]).returncode
    finally:
        subprocess.run(["ip", "netns", "del", NAMESPACE])


def hostile_requests(port):
    """Connections a careless or hostile client makes; they stay open while the probing is measured."""
    held = []
    for payload in (b"GET /" + b"A" * 200_000, b"DELETE /metrics HTTP/1.1\r\nHost: x\r\n\r\n",
                    bytes(range(256)) * 64, b"GET /metrics HTTP/1.1\r\nHost: x\r\n"):
        connection = socket.create_connection(("127.0.0.1", port), timeout=5)
        try:
            connection.sendall(payload)
        except OSError:
            pass
        held.append(connection)
    return held


def main(inside):
    answering, silent = ("10.77.0.1", "10.77.0.2") if inside else ("127.0.0.1", None)
    config = tempfile.mkdtemp()
    environment = dict(os.environ, XDG_DATA_HOME=config, VANTREL_CONFIG_DIR=config)
    for host in filter(None, (answering, silent)):
        subprocess.run([CLI, "watch", "add", host, "--interval", "1"], env=environment, check=True)
    with socket.socket() as probe_port:
        probe_port.bind(("127.0.0.1", 0))
        port = probe_port.getsockname()[1]
    watch = subprocess.Popen([CLI, "watch", "run", "--metrics", f"127.0.0.1:{port}"], env=environment,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    prometheus = None
    try:
        url = f"http://127.0.0.1:{port}/metrics"
        wait_for("three probes", lambda: sent(url, answering) >= 3)
        status, text = get(url)
        check("metrics", status == 200, f"status {status}")
        promtool = subprocess.run(["promtool", "check", "metrics"], input=text, capture_output=True, text=True)
        check("promtool", promtool.returncode == 0, promtool.stdout + promtool.stderr)
        check("404", get(f"http://127.0.0.1:{port}/other")[0] == 404)

        # With the hostile connections open, the probes go on at their pace and the figures still answer.
        held = hostile_requests(port)
        before = sent(url, answering)
        time.sleep(4)
        after = sent(url, answering)
        check("probing", after - before >= 3, f"{before} then {after} probes in 4 s")
        for connection in held:
            connection.close()

        storage = tempfile.mkdtemp()
        with socket.socket() as server_port:
            server_port.bind(("127.0.0.1", 0))
            web = server_port.getsockname()[1]
        configuration = os.path.join(storage, "prometheus.yml")
        with open(configuration, "w") as file:
            file.write("global:\n  scrape_interval: 1s\nscrape_configs:\n  - job_name: vantrel\n"
                       f"    static_configs:\n      - targets: ['127.0.0.1:{port}']\n")
        prometheus = subprocess.Popen(["prometheus", f"--config.file={configuration}",
                                       f"--storage.tsdb.path={storage}/data",
                                       f"--web.listen-address=127.0.0.1:{web}"],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def success():
            _, body = get(f"http://127.0.0.1:{web}/api/v1/query?query=probe_success")
            results = {r["metric"]["host"]: r["value"][1] for r in json.loads(body)["data"]["result"]}
            return results if len(results) == (2 if silent else 1) else None

        results = wait_for("Prometheus's scrape", success, 90) or {}
        check("scraped answering host", results.get(answering) == "1", str(results))
        if silent:
            check("scraped silent host", results.get(silent) == "0", str(results))
    finally:
        if prometheus:
            prometheus.terminate()
            prometheus.wait(30)
        watch.terminate()
        out, err = watch.communicate(timeout=30)
        check("exit", watch.returncode == 0, f"{watch.returncode}: {err.decode()}")
        if silent:
            check("down line", f"{silent} is down" in out.decode(), out.decode())
        shutil.rmtree(config, ignore_errors=True)
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    if "--inside" in sys.argv:
        sys.exit(main(True))
    if os.geteuid() == 0:
        sys.exit(in_namespace())
    if os.environ.get("VANTREL_REQUIRE_ROOT_TESTS") == "1":
        print("FAIL needs root (a network namespace); VANTREL_REQUIRE_ROOT_TESTS=1")
        sys.exit(1)
    sys.exit(main(False))
