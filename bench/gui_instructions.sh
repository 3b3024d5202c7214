#!/usr/bin/env bash
# The desktop window's main-thread instructions per request of a 5,000-request ping of 127.0.0.1 with
# the Round Trip Plot in view and every row shown, counted by callgrind in `gui_ping --instructions-run`
# (only inside its measured run, only on the main thread; the workers' echoes are not counted). Under
# callgrind the program runs many times slower, so each frame takes in more rows than at full speed.
# Prints gui_main_thread_instructions_per_request (goal: at most 50000). Installs valgrind with apt-get
# when it is missing.
# Usage: bench/gui_instructions.sh [REQUESTS] [BUILD_DIR]
set -euo pipefail
source "$(dirname "$0")/bench_common.sh"
requests=${1:-5000}
build=$(bench_build_dir "${2:-}")
need_callgrind

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} valgrind --tool=callgrind --separate-threads=yes \
  --toggle-collect='*measuredPlotPing*' --callgrind-out-file="$work/cg" "$build/bench/gui_ping" \
  --instructions-run "$requests" >"$work/out" 2>"$work/valgrind" || { cat "$work/valgrind" >&2; exit 2; }
# The main thread's counts are in the file of thread 1.
awk -v total="$(callgrind_total "$work/cg-01")" -v n="$requests" \
  'BEGIN { printf "gui_main_thread_instructions_per_request %.0f\n", total / n }'
