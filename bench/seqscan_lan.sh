#!/usr/bin/env bash
# The time of a sequential sweep next to its floor: vantrel-cli seqscan over 10.202.3.1 to 10.202.3.20 of
# the scanned LAN of tests/net/topology.sh (4 addresses answer, 16 stay silent) with one request per
# address and a one-second timeout. The silent addresses cost their timeouts, 16 s in all; the rest is
# the program's own cost (its start included), printed per address (budget: under 5 ms).
# Needs root (network namespaces).
# Usage: bench/seqscan_lan.sh [BUILD_DIR]
set -euo pipefail
source "$(dirname "$0")/bench_common.sh"

namespace_bench lan "vsb$$" "${1:-}"

addresses=20
silent=16
start=${EPOCHREALTIME//[!0-9]/}
ip netns exec "$prefix-lhost" "$cli" --config-dir "$config" --set SeqScanPackets=1 --set SeqScanTimeout20=1 \
  --set SeqDNS=0 seqscan 10.202.3.1 10.202.3.20 >"$config/rows" 2>&1 || {
  cat "$config/rows" >&2
  exit 2
}
took=$((${EPOCHREALTIME//[!0-9]/} - start))
answered=$(grep -c -E '10\.202\.3\.[0-9]+ +[0-9]+ *$' "$config/rows" || true)

awk -v t="$took" -v n="$addresses" -v s="$silent" -v a="$answered" 'BEGIN {
  floor = s * 1000
  overhead = (t / 1000 - floor) / n
  printf "answered=%d\nsweep_ms=%.1f\nfloor_ms=%.1f\noverhead_per_address_ms=%.2f\nwithin_budget=%s\n",
    a, t / 1000, floor, overhead, (overhead < 5 ? "yes" : "no") }'
