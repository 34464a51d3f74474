#include "DiscoveryService.h"

#include "DnsSdBrowse.h"
#include "NeighbourTable.h"
#include "vesperextensions.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <arpa/inet.h>
#include <cstring>
#include <netdb.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace vesper {

namespace {

// An address check asks DNS-SD only when SNMP is silent: a device that answers over SNMP is
// never kept waiting for a browse, and none runs beside its probe.
DnsSdUse AddressCheckDnsSd(const SearchSettings& settings)
{
    return settings.dnsSd ? DnsSdUse::WhenSilent : DnsSdUse::Off;
}

// The largest number of addresses of one host name that are asked.
constexpr std::size_t kMaxResolvedAddresses = 8;

// A few known addresses, each asked until it answers or its resends are used up.
ProbePlan UnicastPlan(std::vector<ProbeTarget> targets, const SearchSettings& settings, const char* community)
{
    ProbePlan plan;
    plan.targets = std::move(targets);
    plan.rounds = 1 + settings.retries;
    plan.roundGapMs = settings.timeoutMs;
    plan.quietMs = settings.timeoutMs;
    plan.limitMs = settings.searchMs;
    plan.community = community && *community ? community : settings.community;
    plan.port = settings.port;
    return plan;
}

// A search of the scope: after the last sending, collect until the network is quiet.
ProbePlan SweepPlan(std::vector<ProbeTarget> targets, const SearchSettings& settings, const char* community)
{
    ProbePlan plan = UnicastPlan(std::move(targets), settings, community);
    plan.quietMs = settings.quietMs;
    return plan;
}

std::vector<FoundDevice> Devices(const std::map<Ipv4, DeviceFacts>& answers)
{
    std::vector<FoundDevice> devices;
    for (const auto& [address, facts] : answers)
        devices.push_back({address, facts, kFoundBySnmp});
    return devices;
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!lower.empty() && lower.back() == '.')
        lower.pop_back();
    return lower;
}

// An announced host name ("mfp5.local") is the name asked for, with or without its domain.
bool SameHost(std::string_view announced, std::string_view asked)
{
    const std::string a = Lower(announced), b = Lower(asked);
    return !b.empty() && (a == b || a == b + ".local");
}

// The IPv4 addresses of a host name, in the resolver's order, without repeats.
std::vector<ProbeTarget> Resolve(const char* hostName)
{
    std::vector<ProbeTarget> targets;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* list = nullptr;
    if (getaddrinfo(hostName, nullptr, &hints, &list) != 0)
        return targets;
    for (addrinfo* entry = list; entry && targets.size() < kMaxResolvedAddresses; entry = entry->ai_next) {
        ProbeTarget target{ntohl(reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr), false};
        if (std::find(targets.begin(), targets.end(), target) == targets.end())
            targets.push_back(target);
    }
    freeaddrinfo(list);
    return targets;
}

} // namespace

DiscoveryService& DiscoveryService::Instance()
{
    static DiscoveryService* instance = new DiscoveryService;
    return *instance;
}

int DiscoveryService::Startup()
{
    std::lock_guard lock(m_mutex);
    ++m_startups;
    return VESPER_SUCCESS;
}

int DiscoveryService::Shutdown()
{
    std::unique_lock lock(m_mutex);
    if (m_startups == 0)
        return VESPER_NOT_STARTED;
    if (m_searching) {
        // Only another thread can be searching now: stop it and wait until it lets go.
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t written = write(m_cancelFd, &one, sizeof one);
        m_idle.wait(lock, [this] { return !m_searching; });
    }
    if (--m_startups == 0)
        m_devices.clear();
    return VESPER_SUCCESS;
}

int DiscoveryService::BeginSearch()
{
    std::lock_guard lock(m_mutex);
    if (m_startups == 0)
        return VESPER_NOT_STARTED;
    if (m_searching)
        return VESPER_DISCOVERY_IN_PROGRESS;
    m_devices.clear();
    m_cancelFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_cancelFd < 0)
        return VESPER_GENERAL_ERROR;
    m_searching = true;
    return VESPER_SUCCESS;
}

int DiscoveryService::EndSearch(ProbeStatus status, std::vector<FoundDevice> devices)
{
    std::lock_guard lock(m_mutex);
    int result = VESPER_SUCCESS;
    if (status == ProbeStatus::Cancelled)
        result = VESPER_CANCELLED;
    else if (status == ProbeStatus::SocketError)
        result = VESPER_GENERAL_ERROR;
    else
        m_devices = std::move(devices);
    close(m_cancelFd);
    m_cancelFd = -1;
    m_searching = false;
    m_idle.notify_all();
    return result;
}

int DiscoveryService::AbandonSearch(int error)
{
    EndSearch(ProbeStatus::Finished, {});
    return error;
}

ProbeOutcome DiscoveryService::Probe(ProbePlan plan)
{
    // The descriptor stays open until EndSearch, which only this thread calls.
    return RunProbe(plan, m_cancelFd);
}

DiscoveryService::SearchOutcome DiscoveryService::Search(ProbePlan plan, DnsSdUse dnsSd, const Listed& listed)
{
    using Clock = DnsSdBrowse::Clock;
    const auto limit = std::chrono::milliseconds(plan.limitMs);
    const auto start = Clock::now();
    std::optional<DnsSdBrowse> browse;
    if (dnsSd == DnsSdUse::Beside)
        browse.emplace(start + limit);
    ProbeOutcome outcome;
    if (plan.targets.empty() && dnsSd == DnsSdUse::Beside) {
        // Nothing to ask over SNMP: wait on the cancel descriptor for as long as a silent address.
        pollfd cancel{m_cancelFd, POLLIN, 0};
        if (poll(&cancel, 1, plan.rounds * plan.roundGapMs) > 0)
            outcome.status = ProbeStatus::Cancelled;
    } else if (!plan.targets.empty()) {
        outcome = Probe(plan);
    }
    std::map<Ipv4, DeviceFacts> announced;
    // A browse beside the probe ends with it (give or take a twentieth of its time); one asked
    // because SNMP was silent starts now, and ends once avahi-daemon has told what it knows.
    Clock::time_point finishBy = Clock::now() + (Clock::now() - start) / 20;
    if (dnsSd == DnsSdUse::WhenSilent && outcome.status == ProbeStatus::Finished && outcome.answers.empty()) {
        finishBy = Clock::now() + limit;
        browse.emplace(finishBy);
    }
    if (browse && outcome.status == ProbeStatus::Finished) {
        DnsSdOutcome found = browse->Finish(finishBy);
        if (!found.available)
            NoticeDnsSdMissing(found.problem);
        announced = std::move(found.devices);
    }
    std::map<Ipv4, DeviceFacts> answered = std::move(outcome.answers);
    return {outcome.status,
            MergeAnswers(answered, announced, listed)};
}

void DiscoveryService::NoticeDnsSdMissing(const std::string& problem)
{
    NoticeFunction notice = nullptr;
    {
        std::lock_guard lock(m_mutex);
        if (m_dnsSdMissingNoticed)
            return;
        m_dnsSdMissingNoticed = true;
        notice = m_notice;
    }
    if (notice)
        notice(("DNS-SD is not searched: " + problem
                + ". The search goes on over SNMP alone, so printers that have SNMP switched off are not found; "
                  "install and start avahi-daemon (apt install avahi-daemon; systemctl start avahi-daemon) to find them.")
                   .c_str());
}

void DiscoveryService::SetNoticeFunction(NoticeFunction notice)
{
    std::lock_guard lock(m_mutex);
    m_notice = notice;
}

int DiscoveryService::DiscoverAddress(const char* address)
{
    if (!address)
        return VESPER_INVALID_ARGUMENT;
    if (int error = BeginSearch())
        return error;
    auto ip = ParseIpv4(address);
    if (!ip)
        return AbandonSearch(VESPER_INVALID_FILTER);
    const SearchSettings settings = ReadSearchSettings();
    SearchOutcome outcome = Search(UnicastPlan({{*ip, false}}, settings, nullptr), AddressCheckDnsSd(settings),
                                   [ip](Ipv4 address, const DeviceFacts&) { return address == *ip; });
    return EndSearch(outcome.status, std::move(outcome.devices));
}

int DiscoveryService::DiscoverHostName(const char* hostName, const char* community)
{
    if (!hostName)
        return VESPER_INVALID_ARGUMENT;
    if (int error = BeginSearch())
        return error;
    if (!IsValidHostName(hostName))
        return AbandonSearch(VESPER_INVALID_FILTER);
    const SearchSettings settings = ReadSearchSettings();
    std::vector<ProbeTarget> targets = Resolve(hostName);
    if (targets.empty() && !settings.dnsSd)
        return AbandonSearch(VESPER_HOST_NOT_FOUND);
    // A name that only DNS-SD knows ("mfp5.local" without a resolver for .local) is found by the
    // host name its services announce.
    const bool resolved = !targets.empty();
    auto listed = [&targets, hostName](Ipv4 address, const DeviceFacts& facts) {
        return SameHost(facts.hostName, hostName)
               || std::find(targets.begin(), targets.end(), ProbeTarget{address, false}) != targets.end();
    };
    SearchOutcome outcome = Search(UnicastPlan(targets, settings, community), AddressCheckDnsSd(settings), listed);
    if (!resolved && outcome.status == ProbeStatus::Finished && outcome.devices.empty())
        return AbandonSearch(VESPER_HOST_NOT_FOUND);
    return EndSearch(outcome.status, std::move(outcome.devices));
}

int DiscoveryService::DiscoverMac(const char* macAddress, const char* community)
{
    if (!macAddress)
        return VESPER_INVALID_ARGUMENT;
    if (int error = BeginSearch())
        return error;
    auto mac = ParseMac(macAddress);
    auto scope = ReadSearchScope();
    if (!mac || !scope)
        return AbandonSearch(VESPER_INVALID_FILTER);
    const SearchSettings settings = ReadSearchSettings();
    const std::string wanted = FormatMac(*mac);
    // DNS-SD names no MAC addresses: SNMP alone.
    ProbeOutcome outcome = Probe(SweepPlan(std::move(scope->targets), settings, community));
    std::vector<FoundDevice> devices;
    for (const auto& [address, facts] : outcome.answers)
        if (facts.macAddress == wanted)
            devices.push_back({address, facts});
    if (devices.empty() && outcome.status == ProbeStatus::Finished) {
        // The device may report another interface's address: the neighbour table knows better.
        std::vector<ProbeTarget> neighbours;
        for (Ipv4 address : NeighboursWithMac(settings.neighbourTable, *mac)) {
            if (auto answer = outcome.answers.find(address); answer != outcome.answers.end())
                devices.push_back({address, answer->second});
            else
                neighbours.push_back({address, false});
        }
        if (devices.empty() && !neighbours.empty()) {
            ProbeOutcome asked = Probe(UnicastPlan(std::move(neighbours), settings, community));
            outcome.status = asked.status;
            devices = Devices(asked.answers);
        }
        for (FoundDevice& device : devices)
            device.facts.macAddress = wanted;
    }
    return EndSearch(outcome.status, std::move(devices));
}

int DiscoveryService::DiscoverAll(const int (&filter)[7])
{
    if (int error = BeginSearch())
        return error;
    auto scope = ReadSearchScope();
    if (!scope || std::any_of(std::begin(filter), std::end(filter), [](int word) { return word < 0; }))
        return AbandonSearch(VESPER_INVALID_FILTER);
    const SearchSettings settings = ReadSearchSettings();
    SearchOutcome outcome = Search(SweepPlan(scope->targets, settings, nullptr),
                                   settings.dnsSd ? DnsSdUse::Beside : DnsSdUse::Off,
                                   [&scope](Ipv4 address, const DeviceFacts&) { return scope->Contains(address); });
    return EndSearch(outcome.status, std::move(outcome.devices));
}

int DiscoveryService::GetCount(int* count)
{
    if (!count)
        return VESPER_INVALID_ARGUMENT;
    std::lock_guard lock(m_mutex);
    if (m_startups == 0)
        return VESPER_NOT_STARTED;
    if (m_searching)
        return VESPER_DISCOVERY_IN_PROGRESS;
    *count = static_cast<int>(m_devices.size());
    return VESPER_SUCCESS;
}

int DiscoveryService::GetText(int index, DeviceText which, char* buffer, int bufferSize, int* length)
{
    if (!length || bufferSize < 0)
        return VESPER_INVALID_ARGUMENT;
    std::lock_guard lock(m_mutex);
    int error = VESPER_SUCCESS;
    const FoundDevice* found = Device(index, error);
    if (!found)
        return error;
    const FoundDevice& device = *found;
    std::string text;
    switch (which) {
    case DeviceText::ModelName: text = device.facts.modelName; break;
    case DeviceText::IPAddress: text = FormatIpv4(device.address); break;
    case DeviceText::MACAddress: text = device.facts.macAddress; break;
    case DeviceText::HostName: text = device.facts.hostName; break;
    }
    const int needed = static_cast<int>(text.size()) + 1;
    *length = needed;
    if (!buffer || bufferSize < needed) {
        if (buffer && bufferSize > 0)
            buffer[0] = '\0';
        return VESPER_BUFFER_TOO_SMALL;
    }
    std::memcpy(buffer, text.c_str(), static_cast<std::size_t>(needed));
    return VESPER_SUCCESS;
}

int DiscoveryService::GetFoundBy(int index, int* foundBy)
{
    if (!foundBy)
        return VESPER_INVALID_ARGUMENT;
    std::lock_guard lock(m_mutex);
    int error = VESPER_SUCCESS;
    const FoundDevice* device = Device(index, error);
    if (!device)
        return error;
    *foundBy = static_cast<int>(device->foundBy);
    return VESPER_SUCCESS;
}

const FoundDevice* DiscoveryService::Device(int index, int& error)
{
    if (m_startups == 0)
        error = VESPER_NOT_STARTED;
    else if (m_searching)
        error = VESPER_DISCOVERY_IN_PROGRESS;
    else if (index < 0 || static_cast<std::size_t>(index) >= m_devices.size())
        error = VESPER_INDEX_OUT_OF_RANGE;
    else
        return &m_devices[static_cast<std::size_t>(index)];
    return nullptr;
}

} // namespace vesper
