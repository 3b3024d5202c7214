#!/usr/bin/env bash
# The instructions a shown row of `vantrel-cli ping 127.0.0.1` costs beyond the echo request itself,
# counted by callgrind (which runs the threads one at a time; the count does not depend on it): the ping
# runs with N1 and N2 requests, every row shown (Verbose=1) into /dev/null, and the growth of the program's
# instructions per request, less that of IcmpSendEcho (inclusive), is the cost of a row. Prints
# cli_instructions_per_request, cli_echo_instructions_per_request, cli_instructions_per_row (goal: at most
# 20000) and cli_echo_share_percent. Installs valgrind with apt-get when it is missing.
# Usage: bench/cli_row_instructions.sh [N1] [N2] [BUILD_DIR] (200 and 1200 by default)
set -euo pipefail
source "$(dirname "$0")/bench_common.sh"
n1=${1:-200}
n2=${2:-1200}
build=$(bench_build_dir "${3:-}")
need_callgrind

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# count N: callgrind's counts of an N-request ping in $work/cg.N.
count() {
  valgrind --tool=callgrind --callgrind-out-file="$work/cg.$1" "$build/vantrel-cli" --config-dir "$work" \
    --home-dir "$work" --set Packets="$1" --set Verbose=1 ping 127.0.0.1 >/dev/null 2>"$work/valgrind.$1" ||
    { cat "$work/valgrind.$1" >&2; exit 2; }
}
count "$n1"
count "$n2"

echo_name=vantrel::net::IcmpSendEcho
awk -v t1="$(callgrind_total "$work/cg.$n1")" -v t2="$(callgrind_total "$work/cg.$n2")" \
  -v e1="$(callgrind_inclusive "$work/cg.$n1" "$echo_name")" \
  -v e2="$(callgrind_inclusive "$work/cg.$n2" "$echo_name")" -v n1="$n1" -v n2="$n2" 'BEGIN {
    total = (t2 - t1) / (n2 - n1)
    echo = (e2 - e1) / (n2 - n1)
    printf "cli_instructions_per_request %.0f\n", total
    printf "cli_echo_instructions_per_request %.0f\n", echo
    printf "cli_instructions_per_row %.0f\n", total - echo
    printf "cli_echo_share_percent %.1f\n", (total > 0) ? 100 * echo / total : 0
  }'
