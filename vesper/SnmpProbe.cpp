#include "SnmpProbe.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <random>
#include <sys/socket.h>
#include <unistd.h>
#include <unordered_map>

namespace vesper {

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

class UdpSocket {
public:
    UdpSocket() : m_fd(socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)) {}
    ~UdpSocket()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

sockaddr_in SocketAddress(Ipv4 address, unsigned short port)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(address);
    return to;
}

class Probe {
public:
    Probe(const ProbePlan& plan, int cancelFd) : m_plan(plan), m_cancelFd(cancelFd), m_answered(plan.targets.size())
    {
        std::random_device seed;
        m_nextRequestId = static_cast<std::int32_t>(seed() & 0x3FFFFFFF);
    }

    ProbeOutcome Run()
    {
        ProbeOutcome outcome;
        if (m_socket.fd() < 0) {
            outcome.status = ProbeStatus::SocketError;
            return outcome;
        }
        int on = 1;
        setsockopt(m_socket.fd(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
        const auto start = Clock::now();
        const auto limit = start + Milliseconds(m_plan.limitMs);
        auto nextRound = start;
        int round = 0;
        while (true) {
            auto now = Clock::now();
            if (round < m_plan.rounds && now >= nextRound) {
                if (!SendRound()) {
                    outcome.status = ProbeStatus::Cancelled;
                    break;
                }
                ++round;
                now = Clock::now();
                m_lastActivity = now;
                nextRound = now + Milliseconds(m_plan.roundGapMs);
            }
            if (AllAnswered() || now >= limit)
                break;
            auto wakeAt = round < m_plan.rounds ? nextRound : m_lastActivity + Milliseconds(m_plan.quietMs);
            if (wakeAt > limit)
                wakeAt = limit;
            if (round >= m_plan.rounds && now >= wakeAt)
                break;
            auto wait = std::chrono::duration_cast<Milliseconds>(wakeAt - now).count() + 1;
            switch (Wait(POLLIN, static_cast<int>(wait))) {
            case WaitResult::Cancelled:
                outcome.status = ProbeStatus::Cancelled;
                outcome.answers = std::move(m_answers);
                return outcome;
            case WaitResult::Ready:
                Receive();
                break;
            case WaitResult::TimedOut:
                break;
            }
        }
        outcome.answers = std::move(m_answers);
        return outcome;
    }

private:
    enum class WaitResult { Ready, TimedOut, Cancelled };

    WaitResult Wait(short events, int timeoutMs)
    {
        pollfd fds[2] = {{m_socket.fd(), events, 0}, {m_cancelFd, POLLIN, 0}};
        int count = m_cancelFd >= 0 ? 2 : 1;
        int ready = poll(fds, static_cast<nfds_t>(count), timeoutMs);
        if (ready < 0 && errno != EINTR)
            return WaitResult::Cancelled;  // nothing sensible left to wait for
        if (count == 2 && (fds[1].revents & POLLIN))
            return WaitResult::Cancelled;
        return ready > 0 && fds[0].revents ? WaitResult::Ready : WaitResult::TimedOut;
    }

    // One query to every broadcast target and every single address that has not answered yet.
    // False when cancelled meanwhile.
    bool SendRound()
    {
        for (std::size_t i = 0; i < m_plan.targets.size(); ++i) {
            if (m_answered[i])
                continue;
            std::int32_t requestId = m_nextRequestId++;
            auto message = EncodeMessage(MakeDeviceQuery(requestId, m_plan.community));
            if (!message)
                continue;
            m_requests[requestId] = i;
            sockaddr_in to = SocketAddress(m_plan.targets[i].address, m_plan.port);
            while (sendto(m_socket.fd(), message->data(), message->size(), 0, reinterpret_cast<sockaddr*>(&to),
                          sizeof to) < 0) {
                if (errno == EAGAIN || errno == EWOULDBLOCK) {
                    // The send buffer is full: take in what has arrived and wait for room.
                    Receive();
                    if (Wait(POLLOUT, 50) == WaitResult::Cancelled)
                        return false;
                } else if (errno != EINTR) {
                    break;  // unreachable or refused: this target stays silent
                }
            }
        }
        return true;
    }

    void Receive()
    {
        char buffer[65536];
        while (true) {
            sockaddr_in from{};
            socklen_t fromLength = sizeof from;
            ssize_t size = recvfrom(m_socket.fd(), buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from),
                                    &fromLength);
            if (size < 0) {
                if (errno == EINTR)
                    continue;
                return;  // EAGAIN, or an ICMP error reported on the socket
            }
            auto message = DecodeMessage(std::string_view(buffer, static_cast<std::size_t>(size)));
            if (!message || message->type != PduType::Response)
                continue;
            auto request = m_requests.find(message->requestId);
            if (request == m_requests.end())
                continue;
            m_lastActivity = Clock::now();
            Ipv4 source = ntohl(from.sin_addr.s_addr);
            const ProbeTarget& target = m_plan.targets[request->second];
            if (!target.broadcast)
                m_answered[request->second] = true;
            m_answers.try_emplace(source, ReadDeviceFacts(*message));
        }
    }

    bool AllAnswered() const
    {
        for (std::size_t i = 0; i < m_plan.targets.size(); ++i)
            if (m_plan.targets[i].broadcast || !m_answered[i])
                return false;
        return true;
    }

    const ProbePlan& m_plan;
    int m_cancelFd;
    UdpSocket m_socket;
    std::vector<bool> m_answered;
    std::unordered_map<std::int32_t, std::size_t> m_requests;
    std::int32_t m_nextRequestId = 0;
    std::map<Ipv4, DeviceFacts> m_answers;
    Clock::time_point m_lastActivity = Clock::now();
};

} // namespace

ProbeOutcome RunProbe(const ProbePlan& plan, int cancelFd)
{
    return Probe(plan, cancelFd).Run();
}

} // namespace vesper
