#!/usr/bin/env bash
# The command line's cost of the path monitor: vantrel-cli monitor over the route-trace chain of
# tests/net/topology.sh (four routers, the target at hop 5), 60 rounds at an interval of 0.1 s and of 1 s,
# with --report (no live table). Prints for each interval the wall time, the CPU time (user and system,
# start-up included) and the CPU share of one core per hop per second of monitoring (goal at 1 s: under
# 2 %), and whether every hop answered every round.
# Then the window (bench/gui_ping --path-monitor) on the same chain at 0.1 s: its longest event-loop stall.
# Needs root (network namespaces).
# Usage: bench/path_monitor.sh [BUILD_DIR]
set -euo pipefail
source "$(dirname "$0")/bench_common.sh"

namespace_bench trace "vpb$$" "${1:-}"

rounds=60
hops=5
for tenths in 1 10; do
  TIMEFORMAT='%U %S %R'
  times=$({ time ip netns exec "$prefix-thost" "$cli" --config-dir "$config" --set "PathMonitorInterval=$tenths" \
    --set Timeout=1 monitor 10.201.15.2 --cycles "$rounds" --report >"$config/report" 2>&1; } 2>&1) || {
    cat "$config/report" >&2
    exit 2
  }
  complete=$(grep -c -E "^[1-5] +10\.201\.1[1-5]\.2 +0\.0% +$rounds " "$config/report" || true)
  read -r user system wall <<<"$times"
  awk -v u="$user" -v s="$system" -v w="$wall" -v h="$hops" -v i="$tenths" -v c="$complete" 'BEGIN {
    share = (u + s) / w * 100 / h
    name = sprintf("interval_%.1fs", i / 10)
    printf "%s_wall_s=%.2f\n%s_cpu_s=%.3f\n%s_cpu_percent_per_hop=%.3f\n%s_every_hop_answered=%s\n",
      name, w, name, u + s, name, share, name, (c == h ? "yes" : "no")
    if (i == 10)
      printf "goal_met=%s\n", (share < 2 ? "yes" : "no") }'
done

# The window: the same chain, 60 rounds at 0.1 s, its pane and the plot in view (goal: the longest
# event-loop stall under 4 ms).
gui="$(dirname "$cli")/bench/gui_ping"
if [ -x "$gui" ]; then
  ip netns exec "$prefix-thost" env QT_QPA_PLATFORM=offscreen "$gui" --path-monitor 10.201.15.2 "$rounds" |
    awk '{ print $1 "=" $2 } $1 == "gui_path_monitor_max_stall_ms" {
      printf "gui_goal_met=%s\n", ($2 < 4 ? "yes" : "no") }'
else
  echo "no $gui: build the bench targets for the window's figure" >&2
fi
