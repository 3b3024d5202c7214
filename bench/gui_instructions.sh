#!/usr/bin/env bash
# The desktop window's main-thread instructions per request of a 5,000-request ping of 127.0.0.1 with the
# Round Trip Plot in view and every row shown, counted by callgrind in `gui_ping --instructions-run` (only
# inside its measured run, only on the main thread; the workers' echoes are not counted). This machine
# has no hardware instruction counter, and callgrind runs the program some fifty times slower while the
# window still keeps its clock (a frame each 16 ms, the plot each 100 ms), so it makes some ten times
# more frames and repaints per request than at full speed, each showing fewer new rows. The figure
# therefore counts in full only what is done per row (the worker messages' handling, the window's
# placing of its blocks), takes the Results window's painting at callgrind's cost per row it laid out
# times the rows laid out at full speed, and everything else (other widgets' paints, the frames' own
# work) at callgrind's cost per repaint times the repaints at full speed:
#   gui_main_thread_instructions_per_request (goal: at most 50000)
#   gui_main_thread_instructions_per_request_slowed: callgrind's own count, all its frames included
#   gui_row_instructions: the per-row part; gui_results_paint_instructions_per_laid_out_row;
#   gui_repaints_full_speed, gui_repaints_slowed, gui_laid_out_rows_full_speed, gui_laid_out_rows_slowed.
# Installs valgrind with apt-get when it is missing.
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
# Full speed's frame counts vary with the machine's load: the median of five runs.
for i in 1 2 3 4 5; do "${run[@]}" 2>/dev/null; done >"$work/runs"
for name in repaints laid_out_rows; do
  echo "$name $(awk -v name="$name" '$1 == name { print $2 }' "$work/runs" | sort -n | sed -n 3p)"
done >"$work/full"
valgrind --tool=callgrind --separate-threads=yes --toggle-collect='*measuredPlotPing*' \
  --callgrind-out-file="$work/cg" "${run[@]}" >"$work/slowed" 2>"$work/valgrind" ||
  { cat "$work/valgrind" >&2; exit 2; }
# The main thread's counts are in the file of thread 1.
figure() { awk -v name="$2" '$1 == name { print $2 }' "$1"; }
cg="$work/cg-01"
awk -v total="$(callgrind_total "$cg")" \
  -v rows="$(callgrind_inclusive "$cg" vantrel::ops::OperationControl::handle)" \
  -v placing="$(callgrind_inclusive "$cg" vantrel::ui::ResultsDocumentLayout::place)" \
  -v results="$(callgrind_inclusive "$cg" vantrel::ui::ResultsTextView::paintEvent)" \
  -v slowed="$(figure "$work/slowed" repaints)" -v full="$(figure "$work/full" repaints)" \
  -v laidSlowed="$(figure "$work/slowed" laid_out_rows)" -v laidFull="$(figure "$work/full" laid_out_rows)" \
  -v n="$requests" 'BEGIN {
    perRow = rows + placing
    perLaidOut = laidSlowed > 0 ? results / laidSlowed : 0
    rest = total - perRow - results
    frameScale = slowed > 0 ? full / slowed : 1
    printf "gui_main_thread_instructions_per_request %.0f\n", (perRow + perLaidOut * laidFull + rest * frameScale) / n
    printf "gui_main_thread_instructions_per_request_slowed %.0f\n", total / n
    printf "gui_row_instructions %.0f\n", perRow / n
    printf "gui_results_paint_instructions_per_laid_out_row %.0f\n", perLaidOut
    printf "gui_repaints_full_speed %d\n", full
    printf "gui_repaints_slowed %d\n", slowed
    printf "gui_laid_out_rows_full_speed %d\n", laidFull
    printf "gui_laid_out_rows_slowed %d\n", laidSlowed
  }'
