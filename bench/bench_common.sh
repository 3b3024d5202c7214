#!/usr/bin/env bash
# Helpers the bench scripts source: where the build is, wall times, medians and callgrind's counts.

# The build tree: the first argument the script was given for it, else build/ beside bench/.
bench_build_dir() {
  local build=${1:-"$(dirname "${BASH_SOURCE[0]}")/../build"}
  [ -x "$build/vantrel-cli" ] || { echo "no $build/vantrel-cli: build first" >&2; exit 2; }
  echo "$build"
}

# elapsed COMMAND...: runs COMMAND with its output dropped and sets `took` to its wall time in
# microseconds; EPOCHREALTIME costs no process, and its decimal sign, whatever the locale makes it, is
# dropped. A failed run ends the script: its time would mean nothing.
elapsed() {
  local start=${EPOCHREALTIME//[!0-9]/}
  "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 2; }
  took=$((${EPOCHREALTIME//[!0-9]/} - start))
}

# compare NAME OTHER RUNS COMMAND... -- COMMAND...: runs both commands alternately RUNS times after a
# warm-up run of each and prints their median wall times in milliseconds as NAME_ms and NAME_OTHER_ms, and
# the first's over the second's as NAME_ratio.
compare() {
  local name=$1 other=$2 count=$3
  shift 3
  local first=() second=()
  while [ "$1" != -- ]; do first+=("$1"); shift; done
  shift
  second=("$@")
  elapsed "${first[@]}"
  elapsed "${second[@]}"
  local firstTimes=() secondTimes=()
  for ((i = 0; i < count; ++i)); do
    elapsed "${first[@]}"
    firstTimes+=("$took")
    elapsed "${second[@]}"
    secondTimes+=("$took")
  done
  local firstMedian secondMedian
  firstMedian=$(printf '%s\n' "${firstTimes[@]}" | median)
  secondMedian=$(printf '%s\n' "${secondTimes[@]}" | median)
  awk -v n="$name" -v o="$other" -v f="$firstMedian" -v s="$secondMedian" 'BEGIN {
    printf "%s_ms %.2f\n%s_%s_ms %.2f\n%s_ratio %.2f\n", n, f / 1000, n, o, s / 1000, n, f / s }'
}

# The median of the numbers on standard input, one a line.
median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Installs valgrind (for callgrind) with apt-get when it is missing.
need_callgrind() {
  command -v valgrind >/dev/null && command -v callgrind_annotate >/dev/null && return
  apt-get update -qq >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq valgrind >/dev/null
}

# callgrind_total FILE: the instructions callgrind counted in FILE.
callgrind_total() {
  awk '/^totals:/ { print $2; exit }' "$1"
}

# callgrind_inclusive FILE NAME: the inclusive instructions of the function whose qualified name starts
# with NAME (for example vantrel::net::IcmpSendEcho), 0 when it never ran.
callgrind_inclusive() {
  callgrind_annotate --inclusive=yes --threshold=100 "$1" |
    awk -v name=":$2(" 'index($0, name) { gsub(",", "", $1); print $1; found = 1; exit } END { if (!found) print 0 }'
}

# namespace_bench KIND PREFIX [BUILD_DIR], for the benchmarks that run vantrel-cli in network namespaces:
# stops unless we are root and the build has vantrel-cli, sets `cli` to it and `config` to a scratch
# folder, builds KIND's namespaces of tests/net/topology.sh with PREFIX, and removes both on exit.
namespace_bench() {
  local kind=$1 build
  prefix=$2
  [ "$(id -u)" -eq 0 ] || { echo "needs root: it builds network namespaces" >&2; exit 2; }
  build=$(bench_build_dir "${3:-}")
  cli=$(realpath "$build/vantrel-cli")
  topology=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../tests/net/topology.sh")
  config=$(mktemp -d)
  trap '"$topology" '"$kind"'-down "$prefix"; rm -rf "$config"' EXIT
  "$topology" "$kind-up" "$prefix"
}
