#pragma once

#include "net/IpAddress.h"
#include "net/ResolvePolicy.h"

#include <QString>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace vantrel::net {
class HostDatabase;
}

namespace vantrel::ops {

// Looks up the watched names on threads of its own, so that a slow or silent name service holds up no
// probe: the prober asks, and collects the answers when it comes round. A lookup that never returns keeps
// only its own thread, and letting the resolver go does not wait for it.
class WatchResolver {
public:
    // Lookups at once; more wait their turn.
    static constexpr int kThreads = 4;

    struct Answer {
        std::size_t host = 0; // as asked
        std::optional<net::IpAddress> address;
    };

    WatchResolver(std::shared_ptr<net::HostDatabase> names, net::ResolvePolicy policy);
    ~WatchResolver();
    WatchResolver(const WatchResolver&) = delete;
    WatchResolver& operator=(const WatchResolver&) = delete;

    void request(std::size_t host, const QString& name);
    // The answers that arrived since the last call.
    std::vector<Answer> take();

private:
    struct Shared;
    const std::shared_ptr<Shared> m_shared;
};

} // namespace vantrel::ops
