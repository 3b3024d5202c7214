#!/usr/bin/env bash
# The cost of watching many hosts: 500 answering addresses of the watch farm of tests/net/topology.sh
# (450 IPv4, 50 IPv6) put on a scratch watch list at a 10 s interval with `vantrel-cli watch add`, then
# `vantrel-cli watch run` from the farm's host namespace for SECONDS (120 by default) until SIGTERM.
# Prints `name value` lines: the CPU share of one core over the run (user and system time from
# /proc/PID/stat, start-up included), the peak and final resident memory, and the history database's size
# on disk and rows (probes, lost probes, changes of state) with the probes a perfect run makes.
# Goals (checked by speed_goals.sh): under 5 % of one core and under 60 MB.
# Needs root (network namespaces); installs sqlite3 with apt-get when it is missing. Packets go only to
# the farm's addresses.
# Usage: bench/watch_hosts.sh [SECONDS [BUILD_DIR]]
set -euo pipefail
source "$(dirname "$0")/bench_common.sh"

seconds=${1:-120}
[[ "$seconds" =~ ^[0-9]+$ && "$seconds" -ge 20 ]] || { echo "SECONDS is a number from 20 up" >&2; exit 2; }
if ! command -v sqlite3 >/dev/null; then
  apt-get update -qq >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq sqlite3 >/dev/null
fi
namespace_bench farm "vwb$$" "${2:-}"

hosts=()
for net in 1 2; do
  for last in $(seq 1 225); do hosts+=("10.203.$net.$last"); done
done
for last in $(seq 1 50); do hosts+=("$(printf 'fd42:203:1::%x' "$last")"); done
for host in "${hosts[@]}"; do
  "$cli" --config-dir "$config/store" watch add "$host" --interval 10
done

# The history goes to the scratch folder's data folder, never the user's.
XDG_DATA_HOME="$config/data" ip netns exec "$prefix-fhost" "$cli" --config-dir "$config/store" watch run \
  >"$config/out" 2>&1 &
pid=$!
start=${EPOCHREALTIME//[!0-9]/}
peak=0
rss=0
end=$((start + seconds * 1000000))
while ((${EPOCHREALTIME//[!0-9]/} < end)); do
  sleep 1
  kill -0 "$pid" 2>/dev/null || { cat "$config/out" >&2; echo "watch run ended early" >&2; exit 2; }
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
  peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
done
# Fields 14 and 15 of stat, counted after the name in parentheses (which may hold spaces).
ticks=$(sed 's/^.*) //' "/proc/$pid/stat" | awk '{ print $12 + $13 }')
took=$((${EPOCHREALTIME//[!0-9]/} - start))
kill -TERM "$pid"
wait "$pid" || { cat "$config/out" >&2; echo "watch run failed" >&2; exit 2; }

history="$config/data/Quenlo Software/Vantrel/history.sqlite"
size=0
for file in "$history" "$history-wal"; do
  if [ -f "$file" ]; then size=$((size + $(stat -c %s "$file"))); fi
done
counts=$(sqlite3 "$history" "SELECT count(*), count(*) - count(rtt_us) FROM probe; SELECT count(*) FROM state_change;" |
  tr '|\n' '  ')
read -r probes lost changes <<<"$counts"

awk -v t="$took" -v k="$ticks" -v hz="$(getconf CLK_TCK)" -v p="$peak" -v r="$rss" -v s="$size" \
  -v n="${#hosts[@]}" -v pr="$probes" -v l="$lost" -v c="$changes" 'BEGIN {
  printf "watch_hosts %d\nwatch_seconds %.1f\n", n, t / 1e6
  printf "watch_cpu_percent %.2f\n", k / hz / (t / 1e6) * 100
  printf "watch_peak_rss_mb %.1f\nwatch_final_rss_mb %.1f\n", p / 1024, r / 1024
  printf "watch_history_kb %.0f\nwatch_history_probes %d\nwatch_history_probes_expected %d\n", s / 1024, pr,
    n * int(t / 1e6 / 10)
  printf "watch_history_lost %d\nwatch_history_changes %d\n", l, c }'
