#!/usr/bin/env bash
# The desktop window's main-thread instructions per request of a 5,000-request ping of 127.0.0.1 with the
# Round Trip Plot in view and every row shown, counted by callgrind in `gui_ping --instructions-run` (only
# inside its measured run, only on the main thread; the workers' echoes are not counted). This machine
# has no hardware instruction counter, and callgrind runs the program some fifty times slower while the
# window still repaints by the clock (each frame, the plot each 100 ms), so it repaints far more often per
# request than at full speed. The figure therefore takes the instructions outside repaints from callgrind
# and adds the repaints the same run makes at full speed, at callgrind's cost per repaint:
#   gui_main_thread_instructions_per_request (goal: at most 50000)
#   gui_main_thread_instructions_per_request_slowed: callgrind's own count, its repaints included
#   gui_repaint_instructions and gui_repaints_full_speed, gui_repaints_slowed: the parts of the estimate.
# Work done once a frame other than the repaint is counted as often as callgrind's run makes frames,
# which overstates it. Installs valgrind with apt-get when it is missing.
# Usage: bench/gui_instructions.sh [REQUESTS] [BUILD_DIR]
set -euo pipefail
source "$(dirname "$0")/bench_common.sh"
requests=${1:-5000}
build=$(bench_build_dir "${2:-}")
need_callgrind
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run=("$build/bench/gui_ping" --instructions-run "$requests")
"${run[@]}" >"$work/full" 2>/dev/null
valgrind --tool=callgrind --separate-threads=yes --toggle-collect='*measuredPlotPing*' \
  --callgrind-out-file="$work/cg" "${run[@]}" >"$work/slowed" 2>"$work/valgrind" ||
  { cat "$work/valgrind" >&2; exit 2; }
# The main thread's counts are in the file of thread 1.
repaints() { awk '$1 == "repaints" { print $2 }' "$1"; }
awk -v total="$(callgrind_total "$work/cg-01")" \
  -v paint="$(callgrind_inclusive "$work/cg-01" QWidgetPrivate::syncBackingStore)" \
  -v slowed="$(repaints "$work/slowed")" -v full="$(repaints "$work/full")" -v n="$requests" 'BEGIN {
    perRepaint = slowed > 0 ? paint / slowed : 0
    printf "gui_main_thread_instructions_per_request %.0f\n", (total - paint + perRepaint * full) / n
    printf "gui_main_thread_instructions_per_request_slowed %.0f\n", total / n
    printf "gui_repaint_instructions %.0f\n", perRepaint
    printf "gui_repaints_full_speed %d\n", full
    printf "gui_repaints_slowed %d\n", slowed
  }'
