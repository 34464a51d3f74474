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
    // What one request asked, by its request id.
    struct Request {
        std::size_t target = 0;     // index of the plan's target it went to
        SnmpVersion version = SnmpVersion::V2c;
        V1Objects v1Objects = 0;    // v1: the objects asked
    };

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

    // The queries to every broadcast target and every single address that has not answered yet:
    // one in each version, as many devices answer only v1. False when cancelled meanwhile.
    bool SendRound()
    {
        for (std::size_t i = 0; i < m_plan.targets.size(); ++i) {
            if (m_answered[i])
                continue;
            const Ipv4 address = m_plan.targets[i].address;
            if (!SendQuery(address, {i, SnmpVersion::V2c, 0}, true)
                || !SendQuery(address, {i, SnmpVersion::V1, kAllV1Objects}, true))
                return false;
        }
        return true;
    }

    // Sends the query of a request to address. When the send buffer is full it waits for room
    // (taking in what arrives meanwhile) if mayWait, else drops the query: a follow-up sent while
    // receiving is asked again in the next round anyway. False only when cancelled.
    bool SendQuery(Ipv4 address, Request request, bool mayWait)
    {
        const std::int32_t requestId = m_nextRequestId++;
        auto message = EncodeMessage(request.version == SnmpVersion::V1
                                         ? MakeDeviceQueryV1(requestId, m_plan.community, request.v1Objects)
                                         : MakeDeviceQuery(requestId, m_plan.community));
        if (!message)
            return true;
        m_requests[requestId] = request;
        sockaddr_in to = SocketAddress(address, m_plan.port);
        while (sendto(m_socket.fd(), message->data(), message->size(), 0, reinterpret_cast<sockaddr*>(&to),
                      sizeof to) < 0) {
            if (mayWait && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                Receive();
                if (Wait(POLLOUT, 50) == WaitResult::Cancelled)
                    return false;
            } else if (errno != EINTR) {
                break;  // unreachable or refused: this target stays silent
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
            auto found = m_requests.find(message->requestId);
            if (found == m_requests.end() || found->second.version != message->version)
                continue;
            m_lastActivity = Clock::now();
            const Request request = found->second;
            const Ipv4 source = ntohl(from.sin_addr.s_addr);
            if (message->errorStatus != 0) {
                // An answer with an error names no facts. A v1 agent that misses one object is
                // asked again without it; the other version may answer in full meanwhile.
                if (request.version == SnmpVersion::V1 && message->errorStatus == kNoSuchName)
                    AskAgain(source, request, message->errorIndex);
                continue;
            }
            if (!m_plan.targets[request.target].broadcast)
                m_answered[request.target] = true;
            m_answers.try_emplace(source, ReadDeviceFacts(*message));
        }
    }

    void AskAgain(Ipv4 source, Request request, long errorIndex)
    {
        request.v1Objects = WithoutRefused(request.v1Objects, errorIndex);
        if (request.v1Objects != 0 && !m_answers.contains(source))
            SendQuery(source, request, false);
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
    std::unordered_map<std::int32_t, Request> m_requests;
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
