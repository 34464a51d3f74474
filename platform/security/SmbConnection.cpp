#include "SmbConnection.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::size_t kLargestReply = 1 << 16; // a negotiation's or session set-up's reply is far smaller

} // namespace

SmbConnection::~SmbConnection()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool SmbConnection::Open(int port)
{
    m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return true;
    if (errno != EINPROGRESS || !Wait(POLLOUT, Clock::now() + m_timeout))
        return false;
    int error = 0;
    socklen_t size = sizeof error;
    return getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

bool SmbConnection::Send(const std::vector<std::uint8_t>& message)
{
    std::vector<std::uint8_t> frame = {0, static_cast<std::uint8_t>(message.size() >> 16),
                                       static_cast<std::uint8_t>(message.size() >> 8),
                                       static_cast<std::uint8_t>(message.size())};
    frame.insert(frame.end(), message.begin(), message.end());
    const auto deadline = Clock::now() + m_timeout;
    for (std::size_t sent = 0; sent < frame.size();) {
        const ssize_t n = send(m_fd, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL);
        if (n > 0)
            sent += static_cast<std::size_t>(n);
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        else if (n < 0 && errno == EAGAIN && !Wait(POLLOUT, deadline))
            return false;
    }
    return true;
}

bool SmbConnection::Receive(std::vector<std::uint8_t>& message)
{
    const auto deadline = Clock::now() + m_timeout;
    std::vector<std::uint8_t> length(4);
    if (!ReadExactly(length, deadline))
        return false;
    const std::size_t size = static_cast<std::size_t>(length[1]) << 16 | length[2] << 8 | length[3];
    if (length[0] != 0 || size > kLargestReply)
        return false;
    message.assign(size, 0);
    return ReadExactly(message, deadline);
}

bool SmbConnection::Wait(short events, Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd entry{m_fd, events, 0};
        const int ready = poll(&entry, 1, static_cast<int>(left));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

bool SmbConnection::ReadExactly(std::vector<std::uint8_t>& into, Clock::time_point deadline)
{
    for (std::size_t got = 0; got < into.size();) {
        const ssize_t n = recv(m_fd, into.data() + got, into.size() - got, 0);
        if (n > 0)
            got += static_cast<std::size_t>(n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            return false;
        else if (errno == EAGAIN && !Wait(POLLIN, deadline))
            return false;
    }
    return true;
}

} // namespace platform
