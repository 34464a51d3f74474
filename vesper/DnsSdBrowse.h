// Finds devices through DNS-SD: browses the service types that multifunction printers announce
// and resolves each service to its IPv4 address, host name and TXT record, through the system's
// avahi-daemon (avahi-client over the system D-Bus). The browse runs on a thread of its own, so
// that it takes no time beyond the SNMP probe that runs beside it.
#pragma once

#include "AddressText.h"
#include "DeviceQuery.h"

#include <chrono>
#include <map>
#include <memory>
#include <string>

namespace vesper {

// The service types browsed: printing (IPP, IPP over TLS, raw port 9100, LPD) and scanning (eSCL
// and eSCL over TLS).
inline constexpr const char* kDnsSdServiceTypes[] = {"_ipp._tcp",   "_ipps._tcp",           "_uscan._tcp",
                                                     "_uscans._tcp", "_pdl-datastream._tcp", "_printer._tcp"};

struct DnsSdOutcome {
    bool available = true;  // false when avahi-daemon could not be used; problem says why
    std::string problem;
    std::map<Ipv4, DeviceFacts> devices;  // model (from the TXT record) and host name; no MAC address
};

class DnsSdBrowse {
public:
    using Clock = std::chrono::steady_clock;

    // Starts browsing. The browse ends by itself once every type has been browsed and every
    // service it found resolved, and at `limit` in any case.
    explicit DnsSdBrowse(Clock::time_point limit);
    // Lets the browse end at once (without waiting for it).
    ~DnsSdBrowse();
    DnsSdBrowse(const DnsSdBrowse&) = delete;
    DnsSdBrowse& operator=(const DnsSdBrowse&) = delete;

    // Ends the browse by `deadline` at the latest and returns what it found by then.
    DnsSdOutcome Finish(Clock::time_point deadline);

    struct State;

private:
    std::shared_ptr<State> m_state;
};

} // namespace vesper
