#!/usr/bin/env bash
# Builds vantrel-cli and the window's bench, then runs the speed benchmarks of a loopback ping and prints
# every figure as `name value` lines (see each script), the machine's load before and after, and whether
# each goal was met (goal_met_NAME 1 or 0). The figures are measured, never asserted: the exit status is
# 0 whatever they are. Installs valgrind with apt-get when it is missing. As root it also runs the watch
# list's benchmark (bench/watch_hosts.sh, two minutes in network namespaces).
# Usage: bench/speed_goals.sh [RUNS] (the one-request pings of bench/cli_vs_ping.sh; 200 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-200}
[ -f build/build.ninja ] || cmake --preset default >/dev/null
cmake --build build --target vantrel-cli gui_ping >/dev/null
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

figures=$(mktemp)
trap 'rm -f "$figures"' EXIT
load() { echo "load_average_1min_$1 $(cut -d' ' -f1 /proc/loadavg)"; }
{
  load start
  bench/cli_vs_ping.sh "$runs"
  bench/ipv6_ping.sh
  bench/cli_row_instructions.sh
  build/bench/gui_ping
  bench/gui_instructions.sh
  if [ "$(id -u)" -eq 0 ]; then bench/watch_hosts.sh; fi
  load end
} | tee "$figures"

# Each goal: the figure's name and the most it may be.
awk 'NR == FNR { goal[$1] = $2; next } ($1 in goal) {
    printf "goal_met_%s %d\n", $1, ($2 <= goal[$1]) }' - "$figures" <<'GOALS'
cli_1ping_ratio 3
cli_3000ping_ratio 3.5
cli_3000ping_quiet_ratio 3.5
cli_3000ping_loaded_ratio 3.5
cli_3000ping_quiet_loaded_ratio 3.5
ipv6_3000ping_ratio 1.1
ipv6_3000ping_quiet_ratio 1.1
cli_instructions_per_row 20000
gui_with_plot_to_cli_ratio 1.5
gui_event_loop_max_stall_ms 4
gui_main_thread_instructions_per_request 50000
watch_cpu_percent 5
watch_peak_rss_mb 60
GOALS
