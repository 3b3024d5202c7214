#!/usr/bin/env bash
# What a one-request vantrel-cli ping costs next to the system's ping -c 1, both to 127.0.0.1: after a
# warm-up run of each, runs them alternately (20 times each by default) and prints each median wall time in
# milliseconds and median_ratio, vantrel-cli's median over ping's.
# Usage: bench/cli_start.sh [RUNS] [BUILD_DIR]
set -euo pipefail
runs=${1:-20}
build=${2:-"$(dirname "$0")/../build"}
cli="$build/vantrel-cli"
[ -x "$cli" ] || { echo "no $cli: build first" >&2; exit 2; }

config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
vantrel=("$cli" --config-dir "$config" --set Packets=1 ping 127.0.0.1)
system=(ping -c 1 127.0.0.1)

# Runs a command and sets `took` to its wall time in microseconds; EPOCHREALTIME costs no process, and
# its decimal sign, whatever the locale makes it, is dropped.
elapsed() {
  local start=${EPOCHREALTIME//[!0-9]/}
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 2; }
  took=$((${EPOCHREALTIME//[!0-9]/} - start))
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

elapsed "${vantrel[@]}"
elapsed "${system[@]}"
vantrelTimes=()
systemTimes=()
for ((i = 0; i < runs; ++i)); do
  elapsed "${vantrel[@]}"
  vantrelTimes+=("$took")
  elapsed "${system[@]}"
  systemTimes+=("$took")
done

vantrelMedian=$(printf '%s\n' "${vantrelTimes[@]}" | median)
systemMedian=$(printf '%s\n' "${systemTimes[@]}" | median)
awk -v v="$vantrelMedian" -v s="$systemMedian" 'BEGIN {
  printf "vantrel_cli_ms=%.2f\nsystem_ping_ms=%.2f\nmedian_ratio=%.2f\n", v / 1000, s / 1000, v / s }'
