#include "tools/simdevice/snmp/SnmpAgent.h"

#include "tools/simdevice/snmp/SnmpMib.h"
#include "tools/simdevice/snmp/SnmpResponder.h"
#include "vesper/AddressText.h"

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace simdevice {

namespace {

struct Endpoint {
    int fd = -1;
    std::unique_ptr<SnmpMib> mib;  // null for a broadcast listener
    SnmpVersions versions = SnmpVersions::V1AndV2c;
};

int BoundSocket(const std::string& address, unsigned short port, bool shared)
{
    auto ip = vesper::ParseIpv4(address);
    if (!ip)
        return -1;
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    int on = 1;
    if (shared) {
        // Every socket bound with SO_REUSEADDR to a broadcast address gets its own copy.
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(*ip);
    if (bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace

class SnmpAgent::Impl {
public:
    Impl(std::string community, unsigned short port)
        : m_community(std::move(community)), m_port(port), m_wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
    {
    }

    ~Impl()
    {
        Stop();
        for (Endpoint& endpoint : m_endpoints)
            close(endpoint.fd);
        if (m_wake >= 0)
            close(m_wake);
    }

    bool Add(const std::string& address, std::unique_ptr<SnmpMib> mib, SnmpVersions versions)
    {
        int fd = BoundSocket(address, m_port, !mib);
        if (fd < 0)
            return false;
        std::lock_guard lock(m_mutex);
        m_endpoints.push_back({fd, std::move(mib), versions});
        Wake();
        return true;
    }

    bool Start()
    {
        if (m_wake < 0 || m_thread.joinable())
            return m_thread.joinable();
        m_stopping = false;
        m_thread = std::thread([this] { Serve(); });
        return true;
    }

    void Stop()
    {
        if (!m_thread.joinable())
            return;
        m_stopping = true;
        Wake();
        m_thread.join();
    }

    unsigned long RequestCount() const { return m_requests; }

private:
    void Wake()
    {
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t written = write(m_wake, &one, sizeof one);
    }

    void Serve()
    {
        while (!m_stopping) {
            std::vector<pollfd> fds{{m_wake, POLLIN, 0}};
            {
                std::lock_guard lock(m_mutex);
                for (const Endpoint& endpoint : m_endpoints)
                    fds.push_back({endpoint.fd, POLLIN, 0});
            }
            if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
                return;
            if (fds[0].revents) {
                std::uint64_t count;
                [[maybe_unused]] ssize_t got = read(m_wake, &count, sizeof count);
            }
            for (std::size_t i = 1; i < fds.size(); ++i)
                if (fds[i].revents)
                    Receive(i - 1);
        }
    }

    void Receive(std::size_t index)
    {
        std::lock_guard lock(m_mutex);
        const Endpoint& endpoint = m_endpoints[index];
        char buffer[65536];
        while (true) {
            sockaddr_in from{};
            socklen_t fromLength = sizeof from;
            ssize_t size = recvfrom(endpoint.fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from),
                                    &fromLength);
            if (size < 0) {
                if (errno == EINTR)
                    continue;
                return;
            }
            ++m_requests;
            auto request = vesper::DecodeMessage(std::string_view(buffer, static_cast<std::size_t>(size)));
            if (!request)
                continue;
            if (endpoint.mib) {
                Answer(endpoint, *request, from);
            } else {
                for (const Endpoint& device : m_endpoints)
                    if (device.mib)
                        Answer(device, *request, from);
            }
        }
    }

    void Answer(const Endpoint& device, const vesper::SnmpMessage& request, const sockaddr_in& to)
    {
        auto response = Respond(request, *device.mib, m_community, device.versions);
        if (!response)
            return;
        if (auto bytes = vesper::EncodeMessage(*response))
            sendto(device.fd, bytes->data(), bytes->size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }

    const std::string m_community;
    const unsigned short m_port;
    const int m_wake;
    std::mutex m_mutex;
    std::vector<Endpoint> m_endpoints;
    std::atomic<bool> m_stopping{false};
    std::atomic<unsigned long> m_requests{0};
    std::thread m_thread;
};

SnmpAgent::SnmpAgent(std::string community, unsigned short port)
    : m_impl(std::make_unique<Impl>(std::move(community), port))
{
}

SnmpAgent::~SnmpAgent() = default;

bool SnmpAgent::AddDevice(const SnmpIdentity& identity)
{
    return m_impl->Add(identity.address, std::make_unique<SnmpMib>(identity), identity.versions);
}

bool SnmpAgent::AddBroadcastAddress(const std::string& address)
{
    return m_impl->Add(address, nullptr, SnmpVersions::V1AndV2c);
}

bool SnmpAgent::Start()
{
    return m_impl->Start();
}

void SnmpAgent::Stop()
{
    m_impl->Stop();
}

unsigned long SnmpAgent::RequestCount() const
{
    return m_impl->RequestCount();
}

} // namespace simdevice
