#pragma once

#include "net/ResolvePolicy.h"
#include "settings/AddressFamily.h"
#include "settings/LiveOptions.h"

namespace vantrel::ops {

// How names resolve under the AddressFamily option: its values are the resolver's policies, number for
// number (settings cannot see the resolver's type, nor the resolver the option's).
constexpr net::ResolvePolicy resolvePolicy(settings::AddressFamily family) {
    return net::ResolvePolicy(int(family));
}

// The policy of the option in force.
inline net::ResolvePolicy resolvePolicy(const settings::LiveOptions& options) {
    return resolvePolicy(settings::addressFamilyOf(options.number(settings::OptionId::AddressFamily)));
}

static_assert(resolvePolicy(settings::AddressFamily::Ipv4ThenIpv6) == net::ResolvePolicy::Ipv4ThenIpv6);
static_assert(resolvePolicy(settings::AddressFamily::Both) == net::ResolvePolicy::Both);
static_assert(resolvePolicy(settings::AddressFamily::SystemOrder) == net::ResolvePolicy::SystemOrder);
static_assert(resolvePolicy(settings::AddressFamily::Ipv4Only) == net::ResolvePolicy::Ipv4Only);
static_assert(resolvePolicy(settings::AddressFamily::Ipv6Only) == net::ResolvePolicy::Ipv6Only);

} // namespace vantrel::ops
