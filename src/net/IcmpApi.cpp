#include "net/IcmpApi.h"

#include "net/IcmpEcho.h"
#include "net/SocketEchoSweep.h"

namespace vantrel::net {

IcmpApi IcmpApi::builtIn() {
    IcmpApi api;
    api.IcmpCreateFile = [] { return net::IcmpCreateFile(); };
    api.IcmpCloseHandle = [](IcmpHandle handle) { return net::IcmpCloseHandle(handle); };
    api.IcmpSendEcho = &net::IcmpSendEcho;
    api.Icmp6CreateFile = [] { return net::Icmp6CreateFile(); };
    api.Icmp6SendEcho2 = &net::Icmp6SendEcho2;
    api.openEchoSweep = [] {
        int error = 0;
        return SocketEchoSweep::open(std::nullopt, error);
    };
    return api;
}

} // namespace vantrel::net
