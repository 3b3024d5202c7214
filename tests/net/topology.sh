#!/usr/bin/env bash
# Builds (up) or removes (down) a small routed network of namespaces for the network tests. Only
# addresses inside these namespaces are used; nothing is routed to the outside.
#
#   topology.sh up PREFIX     build it (removing any leftover of the same PREFIX first)
#   topology.sh down PREFIX   remove it (quietly, whatever is left)
#   topology.sh trace-up PREFIX | trace-down PREFIX | trace-mute PREFIX on|off | trace-drop PREFIX on|off
#                             the same for the route-trace chain described below
#   topology.sh lan-up PREFIX | lan-down PREFIX
#                             the same for the scanned LAN described at the end of this text
#   topology.sh v6-up PREFIX  add IPv6 to the topology `up` built (described after it below); `down`
#                             removes it with the rest
#   topology.sh sweep-up PREFIX | sweep-down PREFIX
#                             the scanned LAN with a fifth answering address, 10.202.3.200 (the sweep
#                             benchmark's /24: 5 addresses answer, 251 are dropped silently)
#   topology.sh farm-up PREFIX | farm-down PREFIX
#                             the watch farm described at the end of this text
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
#
# IPv6 (v6-up), on ULA addresses beside the IPv4 ones; DAD and router advertisements off, ICMPv6 errors
# unlimited (net.ipv6.icmp.ratelimit=0), the routers forwarding:
#
#   PREFIX-host    eth0 fd42:201:1::1/64, fe80::201:1         default via fd42:201:1::2
#   PREFIX-r1      eth0 fd42:201:1::2/64, fe80::201:2         eth1 fd42:201:2::1/64
#                  fd42:201:3::/64 via fd42:201:2::2; unreachable fd42:201:99::/64 (no route);
#                  blackhole fd42:201:8::/64 (silent drop)
#   PREFIX-r2      eth0 fd42:201:2::2/64  eth2 fd42:201:3::1/64 (MTU 1280)   default via fd42:201:2::1
#   PREFIX-target  eth1 fd42:201:3::2/64 to fd42:201:3::9/64 (MTU 1280)     default via fd42:201:3::1
#
# The 1000-byte link (r2 eth1) cannot carry IPv6 (an interface below 1280 loses its IPv6 addresses), so
# IPv6 reaches the target over a link of its own, 1280 bytes behind the 1500 of the others: a larger
# request draws "packet too big" from r2. fd42:201:3::10 onwards are nobody's: r2 gives up resolving them
# after one neighbour solicitation of 100 ms and answers "address unreachable". fe80::201:2 is reached
# from the host with its interface (%eth0).
# The first IPv6 packets through a fresh v6-up may wait about a second (measured: whatever goes out in
# the first second is released together about a second later), so a test sends one echo across with a
# timeout of several seconds before the requests whose times it checks.
#
# The route-trace chain: four routers in a row, each answering from the address that faces the host.
#
#   PREFIX-thost    eth0 10.201.11.1/24                        default via 10.201.11.2
#   PREFIX-tr1..4   eth0 10.201.1N.2/24  eth1 10.201.1(N+1).1/24  default onwards, 10.201.11.0/24 back
#   PREFIX-ttarget  eth0 10.201.15.2/24, 10.201.15.3/24        default via 10.201.15.1
#
# A trace from thost to 10.201.15.2 shows 10.201.11.2, 10.201.12.2, 10.201.13.2 and 10.201.14.2 at hops
# 1 to 4 and the target at hop 5; over IPv6 (fd42:211:1N::/64 where IPv4 has 10.201.1N.0/24) the same
# routers at fd42:211:11::2 to fd42:211:14::2 and the target at fd42:211:15::2. 10.201.15.3 refuses
# echo requests as a firewall does: the target answers
# them itself with "communication administratively prohibited" (an nftables reject rule). /etc/netns/PREFIX-thost/hosts names tr1, tr2, tr4 and the target
# ("chain-r1.vantrel.test" ...); tr3 has no name. Processes started with `ip netns exec PREFIX-thost` see
# that file as /etc/hosts, and a resolv.conf whose name server (on the namespace's loopback) refuses at
# once, so unnamed addresses fail fast. `trace-mute PREFIX on` makes tr3 drop the ICMP messages it makes
# itself (its time-exceeded answers) while it still forwards everything: hop 3 then times out.
# `trace-drop PREFIX on` makes tr2 drop half of the echo requests whose time runs out at it, at random (an
# nftables numgen rule): hop 2 then loses about half of its probes, and every other hop none.
#
# The scanned LAN: a LAN of 10.202.3.0/24 behind two routers where only a few addresses answer.
#
#   PREFIX-lhost   eth0 10.202.1.1/24                       default via 10.202.1.2
#   PREFIX-lr1     eth0 10.202.1.2/24  eth1 10.202.2.1/24   default via 10.202.2.2
#   PREFIX-lr2     eth0 10.202.2.2/24  eth1 10.202.9.1/30   default via 10.202.2.1
#   PREFIX-lan     eth0 10.202.9.2/30 and 10.202.3.10, .12, .15, .17 (/32)   default via 10.202.9.1
#
# lr2 routes the four answering addresses to the LAN and drops the rest of 10.202.3.0/24 silently (a
# blackhole route): they never answer, not even with "host unreachable". /etc/netns/PREFIX-lhost/hosts
# names 10.202.3.10 ("lan-a.vantrel.test") and the silent 10.202.3.11 ("lan-quiet.vantrel.test"); its
# resolv.conf refuses at once, so other addresses have no name and fail fast.
#
# The watch farm: 500 answering addresses one link away, for the watch list's benchmark.
#
#   PREFIX-fhost   eth0 10.203.0.1/24, fd42:203::1/64   10.203.0.0/16 and fd42:203::/32 via the farm
#   PREFIX-farm    eth0 10.203.0.2/24, fd42:203::2/64; 10.203.1.1 to 10.203.1.225 and 10.203.2.1 to
#                  10.203.2.225, fd42:203:1::1 to fd42:203:1::32 (hex), each /32 or /128
#
# The host routes the farm's addresses through one neighbour, so 500 of them cost no address resolution.
set -euo pipefail

action=${1:-}
prefix=${2:-}
usage() {
  echo "usage: $0 up|down|v6-up|trace-up|trace-down|lan-up|lan-down|sweep-up|sweep-down|farm-up|farm-down PREFIX," \
    "or $0 trace-mute|trace-drop PREFIX on|off" >&2
  exit 2
}
[[ -n "$prefix" && "$prefix" =~ ^[A-Za-z0-9_-]+$ ]] || usage
case "$action" in
  up | down | v6-up | trace-up | trace-down | trace-mute | trace-drop | lan-up | lan-down | sweep-up | sweep-down | farm-up | farm-down) ;;
  *) usage ;;
esac

in_ns() { local ns=$1; shift; ip netns exec "$ns" "$@" >/dev/null; }

# link A B: a veth pair, eth? in A to eth? in B
link() {
  ip -n "$1" link add "$2" type veth peer name "$4" netns "$3"
  ip -n "$1" link set "$2" up
  ip -n "$3" link set "$4" up
}

# remove_all HOST NS...: removes the namespaces, quietly, and the private name files of HOST.
remove_all() {
  local host=$1
  shift
  for ns in "$@"; do
    ip netns del "$ns" 2>/dev/null || true
  done
  rm -rf "/etc/netns/$host"
}

# afresh NS...: removes the namespaces and the private name files of the first, quietly; for a -down
# action that is all, else they are added again, each with its loopback up, and removed if building them
# then fails.
afresh() {
  remove_all "$1" "$@"
  [[ "$action" == *-down ]] && exit 0
  built=("$@")
  trap 'remove_all "${built[0]}" "${built[@]}"' ERR
  for ns in "$@"; do
    ip netns add "$ns"
    ip -n "$ns" link set lo up
  done
}

# private_names NS: NS sees localhost and the lines on standard input as its /etc/hosts, and a name server
# on its own loopback that refuses at once.
private_names() {
  mkdir -p "/etc/netns/$1"
  {
    echo "127.0.0.1 localhost"
    cat
  } >"/etc/netns/$1/hosts"
  printf 'nameserver 127.0.0.1\noptions timeout:1 attempts:1\n' >"/etc/netns/$1/resolv.conf"
}

if [[ "$action" == v6-up ]]; then
  for ns in "$prefix-host" "$prefix-r1" "$prefix-r2" "$prefix-target"; do
    # Addresses usable at once (no duplicate detection), no autoconfiguration from advertisements.
    in_ns "$ns" sysctl -qw net.ipv6.conf.all.accept_dad=0 net.ipv6.conf.default.accept_dad=0 \
      net.ipv6.conf.all.accept_ra=0 net.ipv6.conf.default.accept_ra=0 net.ipv6.icmp.ratelimit=0
  done
  in_ns "$prefix-r1" sysctl -qw net.ipv6.conf.all.forwarding=1
  in_ns "$prefix-r2" sysctl -qw net.ipv6.conf.all.forwarding=1
  link "$prefix-r2" eth2 "$prefix-target" eth1
  ip -n "$prefix-r2" link set eth2 mtu 1280
  ip -n "$prefix-target" link set eth1 mtu 1280
  in_ns "$prefix-r2" sysctl -qw net.ipv6.neigh.eth2.mcast_solicit=1 net.ipv6.neigh.eth2.ucast_solicit=0 \
    net.ipv6.neigh.eth2.app_solicit=0 net.ipv6.neigh.eth2.retrans_time_ms=100

  ip -n "$prefix-host" addr add fd42:201:1::1/64 dev eth0 nodad
  ip -n "$prefix-host" addr add fe80::201:1/64 dev eth0 nodad
  ip -n "$prefix-host" -6 route add default via fd42:201:1::2

  ip -n "$prefix-r1" addr add fd42:201:1::2/64 dev eth0 nodad
  ip -n "$prefix-r1" addr add fe80::201:2/64 dev eth0 nodad
  ip -n "$prefix-r1" addr add fd42:201:2::1/64 dev eth1 nodad
  ip -n "$prefix-r1" -6 route add fd42:201:3::/64 via fd42:201:2::2
  ip -n "$prefix-r1" -6 route add unreachable fd42:201:99::/64
  ip -n "$prefix-r1" -6 route add blackhole fd42:201:8::/64

  ip -n "$prefix-r2" addr add fd42:201:2::2/64 dev eth0 nodad
  ip -n "$prefix-r2" addr add fd42:201:3::1/64 dev eth2 nodad
  ip -n "$prefix-r2" -6 route add default via fd42:201:2::1

  for last in 2 3 4 5 6 7 8 9; do
    ip -n "$prefix-target" addr add "fd42:201:3::$last/64" dev eth1 nodad
  done
  ip -n "$prefix-target" -6 route add default via fd42:201:3::1
  exit 0
fi

if [[ "$action" == farm-* ]]; then
  farm=("$prefix-fhost" "$prefix-farm")
  afresh "${farm[@]}"
  for ns in "${farm[@]}"; do
    in_ns "$ns" sysctl -qw net.ipv6.conf.all.accept_dad=0 net.ipv6.conf.default.accept_dad=0 \
      net.ipv6.conf.all.accept_ra=0 net.ipv6.conf.default.accept_ra=0
  done
  in_ns "$prefix-fhost" sysctl -qw net.ipv4.ping_group_range="0 2147483647"
  link "$prefix-fhost" eth0 "$prefix-farm" eth0
  ip -n "$prefix-fhost" addr add 10.203.0.1/24 dev eth0
  ip -n "$prefix-fhost" addr add fd42:203::1/64 dev eth0 nodad
  ip -n "$prefix-fhost" route add 10.203.0.0/16 via 10.203.0.2
  ip -n "$prefix-fhost" -6 route add fd42:203::/32 via fd42:203::2
  ip -n "$prefix-farm" addr add 10.203.0.2/24 dev eth0
  ip -n "$prefix-farm" addr add fd42:203::2/64 dev eth0 nodad
  # One batch: 500 separate `ip` runs take seconds.
  for net in 1 2; do
    for last in $(seq 1 225); do
      echo "addr add 10.203.$net.$last/32 dev eth0"
    done
  done | ip -n "$prefix-farm" -batch -
  for last in $(seq 1 50); do
    printf 'addr add fd42:203:1::%x/128 dev eth0 nodad\n' "$last"
  done | ip -n "$prefix-farm" -batch -
  exit 0
fi

if [[ "$action" == lan-* || "$action" == sweep-* ]]; then
  lan=("$prefix-lhost" "$prefix-lr1" "$prefix-lr2" "$prefix-lan")
  answering=(10 12 15 17)
  [[ "$action" == sweep-* ]] && answering+=(200)
  afresh "${lan[@]}"
  in_ns "$prefix-lhost" sysctl -qw net.ipv4.ping_group_range="0 2147483647"
  in_ns "$prefix-lr1" sysctl -qw net.ipv4.ip_forward=1
  in_ns "$prefix-lr2" sysctl -qw net.ipv4.ip_forward=1
  link "$prefix-lhost" eth0 "$prefix-lr1" eth0
  link "$prefix-lr1" eth1 "$prefix-lr2" eth0
  link "$prefix-lr2" eth1 "$prefix-lan" eth0
  ip -n "$prefix-lhost" addr add 10.202.1.1/24 dev eth0
  ip -n "$prefix-lhost" route add default via 10.202.1.2
  ip -n "$prefix-lr1" addr add 10.202.1.2/24 dev eth0
  ip -n "$prefix-lr1" addr add 10.202.2.1/24 dev eth1
  ip -n "$prefix-lr1" route add default via 10.202.2.2
  ip -n "$prefix-lr2" addr add 10.202.2.2/24 dev eth0
  ip -n "$prefix-lr2" addr add 10.202.9.1/30 dev eth1
  ip -n "$prefix-lr2" route add default via 10.202.2.1
  ip -n "$prefix-lr2" route add blackhole 10.202.3.0/24
  ip -n "$prefix-lan" addr add 10.202.9.2/30 dev eth0
  for last in "${answering[@]}"; do
    ip -n "$prefix-lan" addr add "10.202.3.$last/32" dev eth0
    ip -n "$prefix-lr2" route add "10.202.3.$last/32" via 10.202.9.2
  done
  ip -n "$prefix-lan" route add default via 10.202.9.1
  private_names "$prefix-lhost" <<HOSTS
10.202.3.10 lan-a.vantrel.test
10.202.3.11 lan-quiet.vantrel.test
HOSTS
  exit 0
fi

if [[ "$action" == trace-* ]]; then
  chain=("$prefix-thost" "$prefix-tr1" "$prefix-tr2" "$prefix-tr3" "$prefix-tr4" "$prefix-ttarget")
  chain_down() { remove_all "$prefix-thost" "${chain[@]}"; }
  case "$action" in
    trace-down)
      chain_down
      exit 0
      ;;
    trace-mute)
      # Locally made ICMP goes to a table that has only a blackhole; forwarded packets never come from lo.
      case "${3:-}" in
        on) ip -n "$prefix-tr3" rule add iif lo ipproto icmp lookup 100 priority 100 ;;
        off) ip -n "$prefix-tr3" rule del priority 100 ;;
        *) usage ;;
      esac
      exit 0
      ;;
    trace-drop)
      case "${3:-}" in
        on)
          ip netns exec "$prefix-tr2" nft -f - <<'RULES'
table ip probe_loss {
  chain pre {
    type filter hook prerouting priority 0;
    ip ttl 1 icmp type echo-request numgen random mod 100 < 50 drop
  }
}
RULES
          ;;
        off) ip netns exec "$prefix-tr2" nft delete table ip probe_loss ;;
        *) usage ;;
      esac
      exit 0
      ;;
  esac

  chain_down
  trap 'chain_down' ERR
  for ns in "${chain[@]}"; do
    ip netns add "$ns"
    ip -n "$ns" link set lo up
    in_ns "$ns" sysctl -qw net.ipv4.icmp_ratelimit=0
  done
  in_ns "$prefix-thost" sysctl -qw net.ipv4.ping_group_range="0 2147483647"
  in_ns "$prefix-ttarget" sysctl -qw net.ipv4.ping_group_range="0 2147483647"
  for n in 1 2 3 4; do
    in_ns "$prefix-tr$n" sysctl -qw net.ipv4.ip_forward=1
  done
  link "$prefix-thost" eth0 "$prefix-tr1" eth0
  for n in 1 2 3; do
    link "$prefix-tr$n" eth1 "$prefix-tr$((n + 1))" eth0
  done
  link "$prefix-tr4" eth1 "$prefix-ttarget" eth0

  ip -n "$prefix-thost" addr add 10.201.11.1/24 dev eth0
  ip -n "$prefix-thost" route add default via 10.201.11.2
  for n in 1 2 3 4; do
    ns="$prefix-tr$n"
    ip -n "$ns" addr add "10.201.1$n.2/24" dev eth0
    ip -n "$ns" addr add "10.201.1$((n + 1)).1/24" dev eth1
    ip -n "$ns" route add default via "10.201.1$((n + 1)).2"
    if ((n > 1)); then
      ip -n "$ns" route add 10.201.11.0/24 via "10.201.1$n.1"
    fi
  done
  ip -n "$prefix-tr3" route add blackhole default table 100
  ip -n "$prefix-ttarget" addr add 10.201.15.2/24 dev eth0
  ip -n "$prefix-ttarget" addr add 10.201.15.3/24 dev eth0
  ip -n "$prefix-ttarget" route add default via 10.201.15.1
  ip netns exec "$prefix-ttarget" nft -f - <<'RULES'
table inet refuse {
  chain input {
    type filter hook input priority 0;
    ip daddr 10.201.15.3 icmp type echo-request reject with icmp type admin-prohibited
  }
}
RULES

  # IPv6 along the same chain: fd42:211:1N::/64 on the link where IPv4 has 10.201.1N.0/24, the same last
  # groups (::1 towards the host, ::2 away from it).
  for ns in "${chain[@]}"; do
    in_ns "$ns" sysctl -qw net.ipv6.conf.all.accept_dad=0 net.ipv6.conf.default.accept_dad=0 \
      net.ipv6.conf.all.accept_ra=0 net.ipv6.conf.default.accept_ra=0 net.ipv6.icmp.ratelimit=0
  done
  ip -n "$prefix-thost" addr add fd42:211:11::1/64 dev eth0 nodad
  ip -n "$prefix-thost" -6 route add default via fd42:211:11::2
  for n in 1 2 3 4; do
    ns="$prefix-tr$n"
    in_ns "$ns" sysctl -qw net.ipv6.conf.all.forwarding=1
    ip -n "$ns" addr add "fd42:211:1$n::2/64" dev eth0 nodad
    ip -n "$ns" addr add "fd42:211:1$((n + 1))::1/64" dev eth1 nodad
    ip -n "$ns" -6 route add default via "fd42:211:1$((n + 1))::2"
    if ((n > 1)); then
      ip -n "$ns" -6 route add fd42:211:11::/64 via "fd42:211:1$n::1"
    fi
  done
  ip -n "$prefix-ttarget" addr add fd42:211:15::2/64 dev eth0 nodad
  ip -n "$prefix-ttarget" -6 route add default via fd42:211:15::1

  private_names "$prefix-thost" <<HOSTS
10.201.11.2 chain-r1.vantrel.test
10.201.12.2 chain-r2.vantrel.test
10.201.14.2 chain-r4.vantrel.test
10.201.15.2 chain-target.vantrel.test
fd42:211:15::2 chain6-target.vantrel.test
10.201.15.2 chain-dual.vantrel.test
fd42:211:15::2 chain-dual.vantrel.test
HOSTS
  exit 0
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
