#!/usr/bin/env bash
# Builds (up) or removes (down) a small routed network of namespaces for the network tests. Only
# addresses inside these namespaces are used; nothing is routed to the outside.
#
#   topology.sh up PREFIX     build it (removing any leftover of the same PREFIX first)
#   topology.sh down PREFIX   remove it (quietly, whatever is left)
#
#   PREFIX-host    eth0 10.201.1.1/24                     default via 10.201.1.2
#        |
#   PREFIX-r1      eth0 10.201.1.2/24  eth1 10.201.2.1/24  10.201.3.0/24 via 10.201.2.2
#        |                                                 blackhole 10.201.8.0/24 (silent drop)
#   PREFIX-r2      eth0 10.201.2.2/24  eth1 10.201.3.1/24  default via 10.201.2.1; eth1 has MTU 1000
#        |
#   PREFIX-target  eth0 10.201.3.2/24 to 10.201.3.9/24 (MTU 1000)   default via 10.201.3.1
#
# 10.201.3.10 to 10.201.3.254 are nobody's: r2 gives up resolving them after one ARP probe of 100 ms and
# answers "host unreachable". (Unreachable routes are not used for that: the kernel lets such routes
# answer a source only about once a second, whatever net.ipv4.icmp_ratelimit says.)
#
# Every namespace has its loopback up and ICMP errors unlimited (net.ipv4.icmp_ratelimit=0). The host and
# the target let every group open ICMP datagram sockets (net.ipv4.ping_group_range); the routers let none,
# so there only raw ICMP sockets can be opened. A route trace from the host to 10.201.3.2 passes r1 (hop 1)
# and r2 (hop 2) and reaches the target at hop 3.
set -euo pipefail

action=${1:-}
prefix=${2:-}
if [[ -z "$prefix" || ! "$prefix" =~ ^[A-Za-z0-9_-]+$ || ( "$action" != up && "$action" != down ) ]]; then
  echo "usage: $0 up|down PREFIX" >&2
  exit 2
fi

names=("$prefix-host" "$prefix-r1" "$prefix-r2" "$prefix-target")

down() {
  for ns in "${names[@]}"; do
    ip netns del "$ns" 2>/dev/null || true
  done
}

if [[ "$action" == down ]]; then
  down
  exit 0
fi

down
trap 'down' ERR

in_ns() { local ns=$1; shift; ip netns exec "$ns" "$@" >/dev/null; }

for ns in "${names[@]}"; do
  ip netns add "$ns"
  ip -n "$ns" link set lo up
  in_ns "$ns" sysctl -qw net.ipv4.icmp_ratelimit=0
done
in_ns "$prefix-host" sysctl -qw net.ipv4.ping_group_range="0 2147483647"
in_ns "$prefix-target" sysctl -qw net.ipv4.ping_group_range="0 2147483647"
in_ns "$prefix-r1" sysctl -qw net.ipv4.ping_group_range="1 0"
in_ns "$prefix-r2" sysctl -qw net.ipv4.ping_group_range="1 0"
in_ns "$prefix-r1" sysctl -qw net.ipv4.ip_forward=1
in_ns "$prefix-r2" sysctl -qw net.ipv4.ip_forward=1

# link A B: a veth pair, eth? in A to eth? in B
link() {
  ip -n "$1" link add "$2" type veth peer name "$4" netns "$3"
  ip -n "$1" link set "$2" up
  ip -n "$3" link set "$4" up
}
link "$prefix-host" eth0 "$prefix-r1" eth0
link "$prefix-r1" eth1 "$prefix-r2" eth0
link "$prefix-r2" eth1 "$prefix-target" eth0

ip -n "$prefix-host" addr add 10.201.1.1/24 dev eth0
ip -n "$prefix-host" route add default via 10.201.1.2

ip -n "$prefix-r1" addr add 10.201.1.2/24 dev eth0
ip -n "$prefix-r1" addr add 10.201.2.1/24 dev eth1
ip -n "$prefix-r1" route add 10.201.3.0/24 via 10.201.2.2
ip -n "$prefix-r1" route add blackhole 10.201.8.0/24

ip -n "$prefix-r2" addr add 10.201.2.2/24 dev eth0
ip -n "$prefix-r2" addr add 10.201.3.1/24 dev eth1
ip -n "$prefix-r2" link set eth1 mtu 1000
in_ns "$prefix-r2" sysctl -qw net.ipv4.neigh.eth1.mcast_solicit=1 net.ipv4.neigh.eth1.ucast_solicit=0 \
  net.ipv4.neigh.eth1.app_solicit=0 net.ipv4.neigh.eth1.retrans_time_ms=100
ip -n "$prefix-r2" route add default via 10.201.2.1

ip -n "$prefix-target" link set eth0 mtu 1000
for last in 2 3 4 5 6 7 8 9; do
  ip -n "$prefix-target" addr add "10.201.3.$last/24" dev eth0
done
ip -n "$prefix-target" route add default via 10.201.3.1
