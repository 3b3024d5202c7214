#!/usr/bin/env bash
# A parallel sweep of a /24 beside fping and nmap, in one run on the sweep LAN of tests/net/topology.sh
# (5 addresses answer, 251 are dropped silently): vantrel-cli seqscan 10.202.3.0 to 10.202.3.255 with one
# request per address, a one-second timeout and ParallelProbes 256, then `fping -g -t 1000 -r 0` and
# `nmap -sn -PE` on the same range, all from inside the LAN's host namespace. Prints the three times, the
# ratios, and whether Vantrel found every answering address with its rows in address order. nmap also runs
# with -n: here its reverse lookups of the 5 answering addresses wait out its own resolver (about 13 s),
# which says nothing about sweeping, and Vantrel's rows look no names up either (SeqDNS=0).
# Goal: Vantrel under 2 s and under nmap (the faster of its two runs). Needs root (network namespaces);
# installs fping and nmap with apt-get when they are missing (they are run as black-box comparisons only).
# Usage: bench/seqscan_parallel.sh [BUILD_DIR]
set -euo pipefail
source "$(dirname "$0")/bench_common.sh"

if ! command -v fping >/dev/null || ! command -v nmap >/dev/null; then
  apt-get update -qq >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq fping nmap >/dev/null
fi

namespace_bench sweep "vsp$$" "${1:-}"
host="$prefix-lhost"

# timed OUTPUT COMMAND...: runs COMMAND in the host namespace with its output in OUTPUT; prints its
# time in microseconds. Exit statuses are not judged here (fping's says some addresses did not answer).
timed() {
  local output=$1
  shift
  local start=${EPOCHREALTIME//[!0-9]/}
  ip netns exec "$host" "$@" >"$output" 2>&1 || true
  echo $((${EPOCHREALTIME//[!0-9]/} - start))
}

vantrel_us=$(timed "$config/vantrel" "$cli" --config-dir "$config" --set SeqScanPackets=1 \
  --set SeqScanTimeout20=1 --set SeqDNS=0 --set ParallelProbes=256 seqscan 10.202.3.0 10.202.3.255)
fping_us=$(timed "$config/fping" fping -g 10.202.3.0/24 -t 1000 -r 0)
nmap_us=$(timed "$config/nmap" nmap -sn -PE 10.202.3.0/24)
nmap_n_us=$(timed "$config/nmap-n" nmap -sn -PE -n 10.202.3.0/24)

# The rows: every address once, in order; the answering ones exactly those of the LAN.
rows=$(grep -E '^10\.202\.3\.[0-9]+ ' "$config/vantrel" | awk '{print $1}' | cut -d. -f4 | paste -sd' ')
expected=$(seq 0 255 | paste -sd' ')
answered=$(grep -E '^10\.202\.3\.[0-9]+ +[0-9]+ *$' "$config/vantrel" | awk '{print $1}' | paste -sd' ')
[[ "$rows" == "$expected" ]] && in_order=yes || in_order=no
[[ "$answered" == "10.202.3.10 10.202.3.12 10.202.3.15 10.202.3.17 10.202.3.200" ]] && found=yes || found=no
nmap_up=$(grep -c '^Host is up' "$config/nmap" || true)
fping_alive=$(grep -c ' is alive' "$config/fping" || true)

awk -v v="$vantrel_us" -v f="$fping_us" -v n="$nmap_us" -v nn="$nmap_n_us" -v o="$in_order" -v a="$found" \
  -v nu="$nmap_up" -v fa="$fping_alive" 'BEGIN {
  printf "vantrel_s=%.3f\nfping_s=%.3f\nnmap_s=%.3f\nnmap_no_dns_s=%.3f\n", v / 1e6, f / 1e6, n / 1e6, nn / 1e6
  printf "fping_over_vantrel=%.2f\nnmap_over_vantrel=%.2f\nnmap_no_dns_over_vantrel=%.2f\n", f / v, n / v, nn / v
  if (nn < n) n = nn
  printf "fping_alive=%d\nnmap_hosts_up=%d\n", fa, nu
  printf "rows_in_order=%s\nevery_answering_address_found=%s\n", o, a
  goal = (v < 2e6 && v < n && o == "yes" && a == "yes") ? "yes" : "no"
  printf "goal_met=%s\n", goal }'
