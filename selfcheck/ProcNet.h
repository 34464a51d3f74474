// The sockets of this network namespace as the kernel lists them in /proc/net/{tcp,tcp6,udp,udp6}.
#pragma once

#include <string>
#include <string_view>
#include <sys/socket.h>
#include <vector>

namespace selfcheck {

struct LocalSocket {
    int family = AF_INET;  // AF_INET or AF_INET6
    std::string address;   // numeric form: "127.0.0.1", "::"
    int port = 0;
    bool wildcard = false; // bound to every address of its family (0.0.0.0 or ::)
    bool loopback = false; // bound to a loopback address (127.0.0.0/8 or ::1)
};

// Kernel socket states as /proc/net lists them.
inline constexpr int kTcpListen = 0x0A;
inline constexpr int kUdpUnconnected = 0x07;

// The sockets of the listing (the text of one /proc/net file of the family) in the state whose
// local port is port. Lines that cannot be read are left out.
std::vector<LocalSocket> ParseProcNet(std::string_view text, int family, int state, int port);

// TCP sockets listening on port (IPv4 and IPv6), read from /proc/net/tcp and tcp6.
std::vector<LocalSocket> ListeningTcpSockets(int port);

// UDP sockets bound to port, read from /proc/net/udp and udp6.
std::vector<LocalSocket> BoundUdpSockets(int port);

} // namespace selfcheck
