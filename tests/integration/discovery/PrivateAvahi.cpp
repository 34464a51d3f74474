#include "integration/discovery/PrivateAvahi.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sched.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace discoverytest {

namespace {

constexpr const char* kBusConfig = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=/run/dbus/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/> <allow send_type="method_return"/>
    <allow send_type="error"/> <allow send_type="signal"/>
    <allow receive_type="method_call"/> <allow receive_type="method_return"/>
    <allow receive_type="error"/> <allow receive_type="signal"/>
  </policy>
</busconfig>
)";

constexpr const char* kDaemonConfig = R"([server]
use-ipv4=yes
use-ipv6=no
allow-interfaces=lo
enable-dbus=yes
[wide-area]
enable-wide-area=no
[publish]
publish-workstation=no
publish-hinfo=no
publish-addresses=no
)";

bool Fail(std::string& error, const std::string& what)
{
    error = what + ": " + std::strerror(errno);
    return false;
}

bool Write(const std::filesystem::path& path, const char* text)
{
    std::ofstream out(path);
    out << text;
    return static_cast<bool>(out);
}

// Output of a command, run through the shell.
std::string Output(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t size = std::fread(buffer, 1, sizeof buffer, pipe))
            text.append(buffer, size);
        pclose(pipe);
    }
    return text;
}

} // namespace

PrivateAvahi::~PrivateAvahi()
{
    for (pid_t& publisher : m_publishers)
        Stop(publisher);
    Stop(m_daemon);
    Stop(m_bus);
    if (!m_folder.empty())
        std::filesystem::remove_all(m_folder);
}

pid_t PrivateAvahi::Spawn(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string log = m_folder + "/output.log";
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void PrivateAvahi::Stop(pid_t& pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    pid = -1;
}

bool PrivateAvahi::StartBus(std::string& error)
{
    if (std::system("ip link set lo multicast on") != 0)
        return Fail(error, "ip link set lo multicast on");
    if (unshare(CLONE_NEWNS) != 0)
        return Fail(error, "unshare(CLONE_NEWNS)");
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return Fail(error, "mount --make-rprivate /");
    for (const char* folder : {"/run/dbus", "/run/avahi-daemon"}) {
        mkdir(folder, 0755);
        if (mount("tmpfs", folder, "tmpfs", 0, "mode=0755") != 0)
            return Fail(error, std::string("mount tmpfs ") + folder);
    }
    char folder[] = "/tmp/private-avahi.XXXXXX";
    if (!mkdtemp(folder))
        return Fail(error, "mkdtemp");
    m_folder = folder;
    if (!Write(m_folder + "/bus.conf", kBusConfig) || !Write(m_folder + "/avahi-daemon.conf", kDaemonConfig))
        return Fail(error, "writing the configuration");
    m_bus = Spawn({"dbus-daemon", "--nofork", "--nopidfile", "--config-file=" + m_folder + "/bus.conf"});
    for (int i = 0; i < 100 && !std::filesystem::exists("/run/dbus/system_bus_socket"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (m_bus < 0 || !std::filesystem::exists("/run/dbus/system_bus_socket")) {
        error = "the private system bus did not start";
        return false;
    }
    setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/run/dbus/system_bus_socket", 1);
    setenv("VESPER_DNS_SD", "on", 1);
    return true;
}

bool PrivateAvahi::StartDaemon(std::string& error)
{
    m_daemon = Spawn({"avahi-daemon", "--no-drop-root", "--no-chroot", "--no-rlimits", "-f",
                      m_folder + "/avahi-daemon.conf"});
    for (int i = 0; i < 100; ++i) {
        if (std::system("avahi-browse -a -t -c >/dev/null 2>&1") == 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    error = "the private avahi-daemon did not start";
    return false;
}

void PrivateAvahi::StopDaemon()
{
    Stop(m_daemon);
}

bool PrivateAvahi::PublishHost(const std::string& hostName, const std::string& address)
{
    pid_t pid = Spawn({"avahi-publish", "-a", "-R", hostName, address});
    if (pid > 0)
        m_publishers.push_back(pid);
    return pid > 0;
}

bool PrivateAvahi::PublishService(const std::string& name, const std::string& type, const std::string& hostName,
                                  const std::vector<std::string>& txt)
{
    std::vector<std::string> argv{"avahi-publish", "-s", "-H", hostName, name, type, "443"};
    argv.insert(argv.end(), txt.begin(), txt.end());
    pid_t pid = Spawn(argv);
    if (pid > 0) {
        m_publishers.push_back(pid);
        ++m_services;
    }
    return pid > 0;
}

bool PrivateAvahi::WaitUntilAnnounced(std::string& error)
{
    int resolved = 0;
    for (int i = 0; i < 20; ++i) {
        // One line starting "=" per resolved service.
        const std::string lines = Output("avahi-browse -a -r -t -p 2>/dev/null");
        resolved = 0;
        for (std::size_t at = 0; at < lines.size(); at = lines.find('\n', at) + 1) {
            if (lines[at] == '=')
                ++resolved;
            if (lines.find('\n', at) == std::string::npos)
                break;
        }
        if (resolved >= m_services)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    error = std::to_string(resolved) + " of " + std::to_string(m_services) + " services resolve";
    return false;
}

} // namespace discoverytest
