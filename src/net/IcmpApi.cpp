#include "net/IcmpApi.h"

#include "net/IcmpEcho.h"

namespace vantrel::net {

IcmpApi IcmpApi::builtIn() {
    IcmpApi api;
    api.IcmpCreateFile = [] { return net::IcmpCreateFile(); };
    api.IcmpCloseHandle = [](IcmpHandle handle) { return net::IcmpCloseHandle(handle); };
    api.IcmpSendEcho = &net::IcmpSendEcho;
    return api;
}

} // namespace vantrel::net
