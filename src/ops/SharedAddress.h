#pragma once

#include "net/IpAddress.h"

#include <mutex>

namespace vantrel::ops {

// An address that workers and the GUI thread assign and read. An IPv6 address with its scope is too large
// for a lock-free atomic, so a lock keeps a reader from seeing one half written.
class SharedAddress {
public:
    SharedAddress& operator=(const net::IpAddress& address) {
        std::lock_guard lock(m_mutex);
        m_address = address;
        return *this;
    }
    net::IpAddress get() const {
        std::lock_guard lock(m_mutex);
        return m_address;
    }
    operator net::IpAddress() const { return get(); }

private:
    mutable std::mutex m_mutex;
    net::IpAddress m_address;
};

} // namespace vantrel::ops
