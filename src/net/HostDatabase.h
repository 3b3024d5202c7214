#pragma once

#include "net/HostEntry.h"

#include <string>

namespace vantrel::net {

// The name service every lookup of the program goes through: the system's resolver in the program
// (SystemHostDatabase), a scripted one in tests (tests/support/FakeHostDatabase). Both calls block and must
// be safe to call from several threads at once.
class HostDatabase {
public:
    virtual ~HostDatabase() = default;
    virtual HostLookupResult hostByName(const std::string& name) = 0;
    virtual HostLookupResult hostByAddress(IPAddr address) = 0;
    // A socket-library code when the service cannot take asynchronous requests now, else 0.
    virtual int refusal() { return 0; }
};

} // namespace vantrel::net
