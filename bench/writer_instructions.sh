#!/usr/bin/env bash
# The instructions a loopback ping's row costs on its way into the Results window's text, outside layout
# and painting, counted by callgrind in `results_append --writer-run`: making the row's document from its
# typed values (ShownRow::document) and writing it into the text (ResultDocumentWriter::append). Prints
# row_document_instructions_per_row and writer_instructions_per_row. Installs valgrind with apt-get when
# it is missing.
# Usage: bench/writer_instructions.sh [ROWS] [BUILD_DIR] (2,000 rows by default)
set -euo pipefail
source "$(dirname "$0")/bench_common.sh"
rows=${1:-2000}
build=$(bench_build_dir "${2:-}")
need_callgrind

# results_append runs offscreen by itself.
counts=$(mktemp)
trap 'rm -f "$counts" "$counts.log"' EXIT
valgrind --tool=callgrind --toggle-collect='vantrel::output::ShownRow::document()*' \
  --toggle-collect='vantrel::output::ResultDocumentWriter::append(*' --callgrind-out-file="$counts" \
  "$build/bench/results_append" --writer-run "$rows" >/dev/null 2>"$counts.log" ||
  { cat "$counts.log" >&2; exit 2; }
awk -v document="$(callgrind_inclusive "$counts" vantrel::output::ShownRow::document)" \
  -v writer="$(callgrind_inclusive "$counts" vantrel::output::ResultDocumentWriter::append)" -v n="$rows" 'BEGIN {
    printf "row_document_instructions_per_row %.0f\n", document / n
    printf "writer_instructions_per_row %.0f\n", writer / n
  }'
