#!/usr/bin/env bash
# vantrel-cli's ping of 127.0.0.1 beside the system's ping, each pair run alternately after a warm-up run
# of each, with one settings store of the script's own; prints median wall times in milliseconds and the
# ratios, vantrel-cli's over ping's, as `name value` lines:
# - one request: `vantrel-cli --set Packets=1 ping` against `ping -c 1` (goal: cli_1ping_ratio at most 3);
# - 3,000 requests: `vantrel-cli --set Packets=3000 ping`, with every row shown (Verbose=1, the default) and
#   quiet (Verbose=0), against `ping -q -c 3000 -i 0` (both send each request as soon as the last one is
#   answered), on the idle machine and with a busy `yes` per core (goal: every cli_3000ping ratio at most
#   3.5).
# Usage: bench/cli_vs_ping.sh [RUNS] [BUILD_DIR]: RUNS one-request pairs (200 by default) and RUNS/10 (at
# least 5) pairs of each 3,000-request kind.
set -euo pipefail
source "$(dirname "$0")/bench_common.sh"
runs=${1:-200}
build=$(bench_build_dir "${2:-}")
cli="$build/vantrel-cli"
longRuns=$((runs / 10 > 5 ? runs / 10 : 5))

config=$(mktemp -d)
loaders=()
stopLoad() {
  for pid in "${loaders[@]}"; do kill "$pid" 2>/dev/null || true; done
  loaders=()
}
trap 'stopLoad; rm -rf "$config"' EXIT
vantrel=("$cli" --config-dir "$config" --home-dir "$config")

# The 3,000-request pings, rows shown and quiet; SUFFIX names the machine's state.
longPings() {
  local suffix=$1
  compare "cli_3000ping$suffix" system "$longRuns" "${vantrel[@]}" --set Packets=3000 --set Verbose=1 ping 127.0.0.1 \
    -- ping -q -c 3000 -i 0 127.0.0.1
  compare "cli_3000ping_quiet$suffix" system "$longRuns" "${vantrel[@]}" --set Packets=3000 --set Verbose=0 ping \
    127.0.0.1 -- ping -q -c 3000 -i 0 127.0.0.1
}

compare cli_1ping system "$runs" "${vantrel[@]}" --set Packets=1 ping 127.0.0.1 -- ping -c 1 127.0.0.1
longPings ""

for ((core = 0; core < $(nproc); ++core)); do
  yes >/dev/null &
  loaders+=("$!")
done
longPings _loaded
stopLoad
