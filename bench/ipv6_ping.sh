#!/usr/bin/env bash
# vantrel-cli's 3,000-request ping of ::1 against its ping of 127.0.0.1, each pair run alternately after a
# warm-up run of each, rows shown (Verbose=1) and quiet (Verbose=0); prints median wall times in
# milliseconds and the ratios, IPv6's over IPv4's, as `name value` lines (goal: every ipv6_3000ping ratio
# at most 1.1).
# Usage: bench/ipv6_ping.sh [RUNS] [BUILD_DIR]: RUNS pairs of each kind (10 by default).
set -euo pipefail
source "$(dirname "$0")/bench_common.sh"
runs=${1:-10}
build=$(bench_build_dir "${2:-}")

config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
vantrel=("$build/vantrel-cli" --config-dir "$config" --home-dir "$config")

for verbose in 1 0; do
  name=ipv6_3000ping$([ "$verbose" = 0 ] && echo _quiet || true)
  compare "$name" ipv4 "$runs" "${vantrel[@]}" --set Packets=3000 --set Verbose=$verbose ping ::1 \
    -- "${vantrel[@]}" --set Packets=3000 --set Verbose=$verbose ping 127.0.0.1
done
