#include "DnsSdBrowse.h"

#include "DnsSdTxt.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <avahi-common/simple-watch.h>
#include <avahi-common/strlst.h>

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

namespace vesper {

namespace {

using Clock = DnsSdBrowse::Clock;

// Browse threads still running, say because a D-Bus call hangs (avahi-client waits up to 25 s for
// a wedged daemon). Beyond this many, a search goes on without DNS-SD instead of adding another.
constexpr int kMostBrowseThreads = 4;
std::atomic<int> g_browseThreads{0};

// A finished browse needs a moment to close its D-Bus connection.
constexpr auto kCleanUpTime = std::chrono::milliseconds(10);

} // namespace

// What the browse thread and the caller share; it lives as long as either needs it.
struct DnsSdBrowse::State {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    bool connected = false;
    Clock::time_point endAt;
    AvahiSimplePoll* poll = nullptr;  // while the thread's loop can be woken
    DnsSdOutcome outcome;

    void EndBy(Clock::time_point time)
    {
        std::lock_guard lock(mutex);
        if (time < endAt)
            endAt = time;
        if (poll)
            avahi_simple_poll_wakeup(poll);
    }
};

namespace {

using State = DnsSdBrowse::State;

std::vector<TxtItem> TxtItems(AvahiStringList* txt)
{
    std::vector<TxtItem> items;
    for (AvahiStringList* item = txt; item; item = avahi_string_list_get_next(item))
        items.emplace_back(reinterpret_cast<const char*>(avahi_string_list_get_text(item)),
                           avahi_string_list_get_size(item));
    return items;
}

// One browse on the thread: the client, a browser per service type and a resolver per service.
class BrowseRun {
public:
    explicit BrowseRun(std::shared_ptr<State> state) : m_state(std::move(state)) {}

    void Run()
    {
        AvahiSimplePoll* poll = avahi_simple_poll_new();
        if (!poll) {
            Unavailable("no memory for the DNS-SD main loop");
            Done();
            return;
        }
        {
            std::lock_guard lock(m_state->mutex);
            m_state->poll = poll;
        }
        int error = 0;
        m_client = avahi_client_new(avahi_simple_poll_get(poll), AvahiClientFlags(0), ClientChanged, this, &error);
        if (!m_client) {
            Unavailable(std::string("avahi-daemon does not answer on the system D-Bus (") + avahi_strerror(error)
                        + ")");
        } else {
            {
                std::lock_guard lock(m_state->mutex);
                m_state->connected = true;
            }
            for (const char* type : kDnsSdServiceTypes) {
                if (AvahiServiceBrowser* browser = avahi_service_browser_new(
                        m_client, AVAHI_IF_UNSPEC, AVAHI_PROTO_INET, type, nullptr, AvahiLookupFlags(0), Browsed, this))
                    m_browsers.insert(browser);
            }
            if (m_browsers.empty())
                Unavailable(std::string("avahi-daemon refuses to browse (") + avahi_strerror(avahi_client_errno(m_client))
                            + ")");
            Loop(poll);
            avahi_client_free(m_client);  // with its browsers and resolvers
        }
        {
            std::lock_guard lock(m_state->mutex);
            m_state->poll = nullptr;
        }
        avahi_simple_poll_free(poll);
        Done();
    }

private:
    void Loop(AvahiSimplePoll* poll)
    {
        while (!m_failed && !(m_allForNow.size() == m_browsers.size() && m_resolving == 0)) {
            int waitMs = 0;
            {
                std::lock_guard lock(m_state->mutex);
                const auto now = Clock::now();
                if (now >= m_state->endAt)
                    return;
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_state->endAt - now).count();
                waitMs = static_cast<int>(std::min<long long>(left + 1, INT_MAX));
            }
            if (avahi_simple_poll_iterate(poll, waitMs) != 0 && errno != EINTR)
                return;
        }
    }

    void Unavailable(std::string problem)
    {
        m_failed = true;
        std::lock_guard lock(m_state->mutex);
        m_state->outcome.available = false;
        m_state->outcome.problem = std::move(problem);
    }

    void Done()
    {
        std::lock_guard lock(m_state->mutex);
        m_state->done = true;
        m_state->ended.notify_all();
    }

    static void ClientChanged(AvahiClient* client, AvahiClientState state, void* self)
    {
        if (state == AVAHI_CLIENT_FAILURE)
            static_cast<BrowseRun*>(self)->Unavailable(std::string("the connection to avahi-daemon broke (")
                                                       + avahi_strerror(avahi_client_errno(client)) + ")");
    }

    static void Browsed(AvahiServiceBrowser* browser, AvahiIfIndex interface, AvahiProtocol protocol,
                        AvahiBrowserEvent event, const char* name, const char* type, const char* domain,
                        AvahiLookupResultFlags, void* data)
    {
        auto* self = static_cast<BrowseRun*>(data);
        switch (event) {
        case AVAHI_BROWSER_NEW:
            if (avahi_service_resolver_new(self->m_client, interface, protocol, name, type, domain, AVAHI_PROTO_INET,
                                           AvahiLookupFlags(0), Resolved, self))
                ++self->m_resolving;
            break;
        case AVAHI_BROWSER_ALL_FOR_NOW:
        case AVAHI_BROWSER_FAILURE:  // this type will say no more
            self->m_allForNow.insert(browser);
            break;
        case AVAHI_BROWSER_REMOVE:
        case AVAHI_BROWSER_CACHE_EXHAUSTED:
            break;
        }
    }

    static void Resolved(AvahiServiceResolver* resolver, AvahiIfIndex, AvahiProtocol, AvahiResolverEvent event,
                         const char*, const char*, const char*, const char* hostName, const AvahiAddress* address,
                         uint16_t, AvahiStringList* txt, AvahiLookupResultFlags, void* data)
    {
        auto* self = static_cast<BrowseRun*>(data);
        --self->m_resolving;
        if (event == AVAHI_RESOLVER_FOUND && address && address->proto == AVAHI_PROTO_INET)
            self->Add(ntohl(address->data.ipv4.address), ModelFromTxt(TxtItems(txt)), hostName ? hostName : "");
        avahi_service_resolver_free(resolver);
    }

    // One device per address: the first service that names a model gives it.
    void Add(Ipv4 address, std::string model, std::string hostName)
    {
        std::lock_guard lock(m_state->mutex);
        DeviceFacts& facts = m_state->outcome.devices[address];
        if (facts.modelName.empty())
            facts.modelName = std::move(model);
        if (facts.hostName.empty())
            facts.hostName = std::move(hostName);
    }

    std::shared_ptr<State> m_state;
    AvahiClient* m_client = nullptr;
    std::set<AvahiServiceBrowser*> m_browsers;
    std::set<AvahiServiceBrowser*> m_allForNow;
    int m_resolving = 0;
    bool m_failed = false;
};

} // namespace

DnsSdBrowse::DnsSdBrowse(Clock::time_point limit) : m_state(std::make_shared<State>())
{
    m_state->endAt = limit;
    if (g_browseThreads.fetch_add(1) >= kMostBrowseThreads) {
        g_browseThreads.fetch_sub(1);
        m_state->outcome = {false, "avahi-daemon has not answered earlier searches yet", {}};
        m_state->done = true;
        return;
    }
    // Detached: a thread that hangs in a D-Bus call must not hold up the search; the state it
    // shares stays alive as long as it runs.
    std::thread([state = m_state] {
        BrowseRun(state).Run();
        g_browseThreads.fetch_sub(1);
    }).detach();
}

DnsSdBrowse::~DnsSdBrowse()
{
    m_state->EndBy(Clock::now());
}

DnsSdOutcome DnsSdBrowse::Finish(Clock::time_point deadline)
{
    m_state->EndBy(deadline);
    std::unique_lock lock(m_state->mutex);
    m_state->ended.wait_until(lock, deadline + kCleanUpTime, [this] { return m_state->done; });
    DnsSdOutcome outcome = m_state->outcome;
    if (!m_state->connected && !m_state->done && outcome.available)
        outcome = {false, "avahi-daemon did not answer on the system D-Bus in time", {}};
    return outcome;
}

} // namespace vesper
