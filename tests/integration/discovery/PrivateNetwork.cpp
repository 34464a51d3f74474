#include "integration/discovery/PrivateNetwork.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <unistd.h>

namespace discoverytest {

namespace {

bool Fail(std::string& error, const std::string& what)
{
    error = what + ": " + std::strerror(errno);
    return false;
}

bool Run(const std::string& command, std::string& error)
{
    if (std::system(command.c_str()) != 0) {
        error = "failed: " + command;
        return false;
    }
    return true;
}

} // namespace

bool EnterPrivateNetwork(std::string& error)
{
    if (unshare(CLONE_NEWNET) != 0)
        return Fail(error, "unshare(CLONE_NEWNET)");
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return Fail(error, "socket");
    ifreq request{};
    std::strcpy(request.ifr_name, "lo");
    bool up = ioctl(fd, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
    up = up && ioctl(fd, SIOCSIFFLAGS, &request) == 0;
    int saved = errno;
    close(fd);
    errno = saved;
    return up || Fail(error, "bringing up lo");
}

bool UsePrivateHostsFile(const std::string& content, std::string& error)
{
    char path[] = "/tmp/discovery-hosts.XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        return Fail(error, "mkstemp");
    bool written = write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    close(fd);
    if (!written)
        return Fail(error, "writing the hosts file");
    bool mounted = unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
                   && mount(path, "/etc/hosts", nullptr, MS_BIND, nullptr) == 0;
    int saved = errno;
    unlink(path);  // the mount keeps the file alive
    errno = saved;
    return mounted || Fail(error, "mounting the hosts file");
}

bool AddEthernetSegment(const std::string& hostAddress, const std::string& deviceAddress, std::string& error)
{
    return Run("ip link add vhost0 type veth peer name vdev0", error)
           && Run("ip addr add " + hostAddress + "/24 brd + dev vhost0", error)
           && Run("ip addr add " + deviceAddress + "/24 brd + dev vdev0", error)
           && Run("ip link set vhost0 up && ip link set vdev0 up", error);
}

} // namespace discoverytest
