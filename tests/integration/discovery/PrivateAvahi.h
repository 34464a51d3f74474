// A system D-Bus and an avahi-daemon of the test's own, in its private network (loopback with
// multicast on) and a private mount namespace: the bus socket and the daemon's run folder are
// tmpfs mounts that only this process and its children see. The daemon neither chroots nor drops
// its rights and listens on lo alone. Services are announced with avahi-publish for 127.0.0.x.
// Everything started is stopped (and waited for) when the object goes. Needs root; call after
// EnterPrivateNetwork and before the test starts threads.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace discoverytest {

class PrivateAvahi {
public:
    PrivateAvahi() = default;
    PrivateAvahi(const PrivateAvahi&) = delete;
    PrivateAvahi& operator=(const PrivateAvahi&) = delete;
    ~PrivateAvahi();

    // The bus alone (a machine where avahi-daemon is missing; searches use DNS-SD from now on),
    // then the daemon.
    bool StartBus(std::string& error);
    bool StartDaemon(std::string& error);
    void StopDaemon();

    // Announces hostName (say "mfp6.local") at address, and a service of it.
    bool PublishHost(const std::string& hostName, const std::string& address);
    bool PublishService(const std::string& name, const std::string& type, const std::string& hostName,
                        const std::vector<std::string>& txt);
    // Waits (up to 10 s) until every announced service resolves.
    bool WaitUntilAnnounced(std::string& error);

private:
    pid_t Spawn(const std::vector<std::string>& argv);
    static void Stop(pid_t& pid);

    std::string m_folder;
    pid_t m_bus = -1;
    pid_t m_daemon = -1;
    std::vector<pid_t> m_publishers;
    int m_services = 0;
};

} // namespace discoverytest
