// Check 2: smbd runs and answers on its port, on an address that the device can reach.
#include "CheckText.h"
#include "Checks.h"
#include "LocalAddresses.h"
#include "ProcNet.h"
#include "Reachability.h"

#include "platform/shares/SambaPort.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace selfcheck {

namespace {

constexpr int kConnectTimeout = 2000; // milliseconds

// A TCP connection to the socket's own address (loopback for a wildcard), given up after
// kConnectTimeout. The address is always one of this computer's own.
bool Answers(const LocalSocket& socket)
{
    sockaddr_storage storage{};
    socklen_t length = 0;
    if (socket.family == AF_INET) {
        auto& address = reinterpret_cast<sockaddr_in&>(storage);
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(socket.port));
        if (inet_pton(AF_INET, socket.wildcard ? "127.0.0.1" : socket.address.c_str(), &address.sin_addr) != 1)
            return false;
        length = sizeof address;
    } else {
        auto& address = reinterpret_cast<sockaddr_in6&>(storage);
        address.sin6_family = AF_INET6;
        address.sin6_port = htons(static_cast<uint16_t>(socket.port));
        if (inet_pton(AF_INET6, socket.wildcard ? "::1" : socket.address.c_str(), &address.sin6_addr) != 1)
            return false;
        length = sizeof address;
    }
    int fd = ::socket(socket.family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    bool connected = connect(fd, reinterpret_cast<sockaddr*>(&storage), length) == 0;
    if (!connected && errno == EINPROGRESS) {
        pollfd watch{fd, POLLOUT, 0};
        int error = 0;
        socklen_t size = sizeof error;
        connected = poll(&watch, 1, kConnectTimeout) == 1 &&
                    getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    close(fd);
    return connected;
}

} // namespace

CheckResult CheckServerListening(const CheckInput&)
{
    const int port = platform::SambaServerPort();
    const std::string portText = "TCP port " + std::to_string(port);
    std::vector<LocalSocket> listening = ListeningTcpSockets(port);
    if (listening.empty())
        return Problem("nothing listens on " + portText + ": smbd is not running", "systemctl start smbd",
                       {"start-samba"});
    std::vector<LocalSocket> answering;
    for (const auto& socket : listening)
        if (Answers(socket))
            answering.push_back(socket);
    if (answering.empty())
        return Problem("something listens on " + portText + " but does not answer", "systemctl restart smbd");
    return JudgeReachability(port, answering, NetworkAddresses());
}

} // namespace selfcheck
