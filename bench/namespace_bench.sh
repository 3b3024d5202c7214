# Sourced by the benchmarks that run vantrel-cli in network namespaces: finds the build's vantrel-cli
# (first argument, else build/) and tests/net/topology.sh, and stops unless both are there and we are root.
build=${1:-"$(dirname "$0")/../build"}
cli="$(realpath "$build/vantrel-cli")"
topology="$(dirname "$0")/../tests/net/topology.sh"
[ -x "$cli" ] || { echo "no $cli: build first" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "needs root: it builds network namespaces" >&2; exit 2; }
