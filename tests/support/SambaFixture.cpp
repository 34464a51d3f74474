#include "SambaFixture.h"

#include "WaitFor.h"
#include "platform/shares/SambaConfig.h"

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <net/if.h>
#include <netinet/in.h>
#include <random>
#include <sched.h>
#include <spawn.h>
#include <sstream>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kLockBusy = 10; // useradd and userdel: cannot lock the password file

constexpr const char* kUseradd = "/usr/sbin/useradd";
constexpr const char* kUserdel = "/usr/sbin/userdel";
constexpr const char* kSmbpasswd = "/usr/bin/smbpasswd";
constexpr const char* kSmbd = "/usr/sbin/smbd";
constexpr const char* kSmbclient = "/usr/bin/smbclient";
constexpr const char* kSetpriv = "/usr/bin/setpriv";
// The smb.conf that Debian installs as /etc/samba/smb.conf.
constexpr const char* kStockConfig = "/usr/share/samba/smb.conf";

// tests/support/run-isolated gives the test its own copy-on-write /etc: accounts made there
// never reach the machine's password file.
bool InSandbox()
{
    const char* sandboxed = std::getenv("TARROW_SANDBOXED");
    return sandboxed && std::string(sandboxed) == "1";
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string RandomHex(int digits)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::random_device random;
    std::string text;
    for (int i = 0; i < digits; ++i)
        text += kHex[random() % 16];
    return text;
}

// useradd and userdel fail while another process holds the password file's lock: try again.
platform::ProgramResult RunAccountTool(const std::vector<std::string>& arguments)
{
    platform::ProgramResult run;
    WaitFor([&] {
        run = platform::RunProgram(arguments);
        return run.exitCode != kLockBusy;
    });
    return run;
}

// A network namespace of its own with loopback up: port 445 is then free for this process's
// smbd whatever other test processes run.
bool EnterPrivateNetwork()
{
    if (unshare(CLONE_NEWNET) != 0)
        return false;
    int sock = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (sock < 0)
        return false;
    ifreq request {};
    std::snprintf(request.ifr_name, IFNAMSIZ, "lo");
    bool up = ioctl(sock, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags |= IFF_UP;
    up = up && ioctl(sock, SIOCSIFFLAGS, &request) == 0;
    close(sock);
    return up;
}

bool Accepts445()
{
    int sock = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(445);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool connected = connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(sock);
    return connected;
}

// Waits for a child to end, killing it when it outlasts the grace time.
void StopChild(pid_t pid)
{
    kill(pid, SIGTERM);
    auto ended = [pid] {
        pid_t done = waitpid(pid, nullptr, WNOHANG);
        return done == pid || (done < 0 && errno == ECHILD);
    };
    if (WaitFor(ended, 5s))
        return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Samba's helpers detach from smbd; as this process is their subreaper they end up as its
// children. Collects those, named as Samba names them, until none is left or time is up.
void ReapSambaChildren()
{
    const std::string self = std::to_string(getpid());
    WaitFor([&self] {
        bool running = false;
        for (const auto& entry : fs::directory_iterator("/proc")) {
            std::string stat = ReadFile(entry.path().string() + "/stat");
            std::size_t open = stat.find('('), close = stat.rfind(')');
            if (open == std::string::npos || close == std::string::npos)
                continue;
            std::string name = stat.substr(open + 1, close - open - 1);
            std::istringstream rest(stat.substr(close + 1));
            std::string state, parent;
            rest >> state >> parent;
            bool samba = name.rfind("smbd", 0) == 0 || name.rfind("rpcd_", 0) == 0 ||
                         name.rfind("samba-", 0) == 0 || name == "cleanupd";
            if (parent != self || !samba)
                continue;
            if (state == "Z")
                waitpid(std::stoi(entry.path().filename().string()), nullptr, WNOHANG);
            else
                running = true;
        }
        return !running;
    }, 3s);
}

} // namespace

SambaFixture::SambaFixture(std::vector<std::string> extraGlobalLines) : m_extraGlobalLines(std::move(extraGlobalLines))
{
    char pattern[] = "/tmp/tarrow-samba.XXXXXX";
    if (!mkdtemp(pattern))
        return;
    m_root = pattern;
    // Other accounts read the configuration (their own `net usershare` runs) but list nothing here.
    if (chmod(m_root.c_str(), 0711) != 0)
        return;
    m_config = m_root + "/smb.conf";
    if (const char* previous = std::getenv(platform::kSambaConfigVariable)) {
        m_hadPreviousConfig = true;
        m_previousConfig = previous;
    }
    m_ready = MakeFolders() && WriteConfig() && setenv(platform::kSambaConfigVariable, m_config.c_str(), 1) == 0;
}

SambaFixture::~SambaFixture()
{
    StopServer();
    for (const auto& name : m_accounts)
        RunAccountTool({kUserdel, name});
    if (m_hadPreviousConfig)
        setenv(platform::kSambaConfigVariable, m_previousConfig.c_str(), 1);
    else
        unsetenv(platform::kSambaConfigVariable);
    if (!m_root.empty()) {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }
}

bool SambaFixture::MakeFolders()
{
    for (const char* dir : {"private", "lock", "state", "cache", "pid", "ncalrpc", "usershares"})
        if (mkdir((m_root + "/" + dir).c_str(), 0755) != 0)
            return false;
    // As Debian makes it: only members of group sambashare make usershares.
    std::string usershares = m_root + "/usershares";
    if (group* sambashare = getgrnam("sambashare"))
        if (chown(usershares.c_str(), 0, sambashare->gr_gid) != 0)
            return false;
    return chmod(usershares.c_str(), 01770) == 0;
}

bool SambaFixture::SetGlobal(const std::string& line)
{
    m_extraGlobalLines.push_back(line);
    return WriteConfig();
}

bool SambaFixture::WriteConfig()
{
    std::string usershares = m_root + "/usershares";

    // Debian's own configuration, as desktops run it ("map to guest = bad user", [homes], ...),
    // with only what a private server needs added at the end of [global], where it wins: its
    // address and port, its folders, log and password database, and no printing (there is no
    // print server here).
    const std::string stock = ReadFile(kStockConfig);
    const std::size_t global = stock.find("[global]\n");
    const std::size_t shares = global == std::string::npos ? global : stock.find("\n[", global);
    if (shares == std::string::npos)
        return false;
    std::ofstream out(m_config);
    out << stock.substr(0, shares + 1);
    out << "  interfaces = 127.0.0.1\n"
           "  bind interfaces only = yes\n"
           "  smb ports = 445\n"
           "  load printers = no\n"
           "  printcap name = /dev/null\n"
           "  log level = 1\n";
    out << "  private dir = " << m_root << "/private\n"
        << "  lock directory = " << m_root << "/lock\n"
        << "  state directory = " << m_root << "/state\n"
        << "  cache directory = " << m_root << "/cache\n"
        << "  pid directory = " << m_root << "/pid\n"
        << "  ncalrpc dir = " << m_root << "/ncalrpc\n"
        << "  passdb backend = tdbsam:" << m_root << "/private/passdb.tdb\n"
        << "  log file = " << m_root << "/log.%m\n"
        << "  usershare path = " << usershares << "\n";
    for (const auto& line : m_extraGlobalLines)
        out << "  " << line << "\n";
    out << stock.substr(shares + 1);
    return static_cast<bool>(out.flush());
}

SambaFixture::Account SambaFixture::AddAccount(bool withSambaPassword)
{
    static std::atomic<int> counter{0};
    Account account{"tqa" + std::to_string(getpid()) + "x" + std::to_string(counter++), "Pw-" + RandomHex(16), ""};
    if (!InSandbox() || RunAccountTool({kUseradd, "-M", "-N", "-s", "/usr/sbin/nologin", account.name}).exitCode != 0)
        return {};
    m_accounts.push_back(account.name);
    if (!withSambaPassword)
        return account;
    std::string twice = account.password + "\n" + account.password + "\n";
    if (platform::RunProgram({kSmbpasswd, "-c", m_config, "-a", "-s", account.name}, twice).exitCode != 0)
        return {};
    return account;
}

SambaFixture::Account SambaFixture::AddDesktopAccount(bool inSambashare)
{
    static std::atomic<int> counter{0};
    Account account{"tqd" + std::to_string(getpid()) + "x" + std::to_string(counter++), "Pw-" + RandomHex(16),
                    m_root + "/home"};
    account.home += "/" + account.name;
    if (!InSandbox() || (mkdir((m_root + "/home").c_str(), 0755) != 0 && errno != EEXIST))
        return {};
    std::vector<std::string> useradd{kUseradd, "-m", "-d", account.home, "-U", "-s", "/bin/sh"};
    if (inSambashare)
        useradd.insert(useradd.end(), {"-G", "sambashare"});
    useradd.push_back(account.name);
    if (RunAccountTool(useradd).exitCode != 0)
        return {};
    m_accounts.push_back(account.name);
    std::string twice = account.password + "\n" + account.password + "\n";
    bool made = chmod(account.home.c_str(), 0750) == 0 &&
                RunAs(account, {"/bin/mkdir", "-p", account.home + "/C", account.home + "/.local/state"}).exitCode == 0 &&
                platform::RunProgram({kSmbpasswd, "-c", m_config, "-a", "-s", account.name}, twice).exitCode == 0;
    return made ? account : Account{};
}

platform::ProgramResult SambaFixture::RunAs(const Account& account, const std::vector<std::string>& arguments,
                                            const std::string& input) const
{
    std::vector<std::string> command{kSetpriv, "--reuid=" + account.name, "--regid=" + account.name,
                                     "--init-groups", "--", "/usr/bin/env", "HOME=" + account.home,
                                     "TARROW_DRIVE_C=" + account.home + "/C",
                                     "XDG_STATE_HOME=" + account.home + "/.local/state", "USER=" + account.name,
                                     "LOGNAME=" + account.name};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return platform::RunProgram(command, input, 60000);
}

bool SambaFixture::StartServer()
{
    if (!m_ready || m_smbd > 0 || !EnterPrivateNetwork())
        return false;
    prctl(PR_SET_CHILD_SUBREAPER, 1);

    std::string logPath = m_root + "/smbd.out";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    std::vector<std::string> arguments{kSmbd, "--foreground", "--debug-stdout", "-d", "1", "-s", m_config};
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int spawned = posix_spawn(&m_smbd, kSmbd, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        m_smbd = -1;
        return false;
    }
    bool exited = false;
    bool listening = WaitFor([&] {
        exited = waitpid(m_smbd, nullptr, WNOHANG) == m_smbd;
        return exited || Accepts445();
    });
    if (exited)
        m_smbd = -1;
    return listening && !exited;
}

void SambaFixture::StopServer()
{
    if (m_smbd <= 0)
        return;
    StopChild(m_smbd);
    m_smbd = -1;
    StopRpcHelper();
    ReapSambaChildren();
}

// smbd starts samba-dcerpcd on demand, which outlives it; its pid file names it. The PID is
// only used while its command line still names this fixture's configuration.
void SambaFixture::StopRpcHelper()
{
    std::string pidText = ReadFile(m_root + "/pid/samba-dcerpcd.pid");
    pid_t pid = static_cast<pid_t>(std::atoi(pidText.c_str()));
    if (pid <= 0)
        return;
    std::string commandLine = ReadFile("/proc/" + std::to_string(pid) + "/cmdline");
    if (commandLine.find(m_config) == std::string::npos)
        return;
    StopChild(pid);
}

platform::ProgramResult SambaFixture::Client(const std::string& share, const Account& account,
                                             const std::string& commands) const
{
    return platform::RunProgram({kSmbclient, "-s", m_config, "//127.0.0.1/" + share, "-p", "445",
                                 "-U", account.name + "%" + account.password, "-c", commands});
}

std::string SambaFixture::ShareInfo(const std::string& share) const
{
    return platform::RunProgram({platform::kNetProgram, "-s", m_config, "usershare", "info", "--long", "--", share}).output;
}

bool SambaFixture::AddShareAs(const Account& owner, const std::string& share, const std::string& path,
                              const std::string& acl) const
{
    // Samba shares a user's folder only for the user who owns it.
    passwd* entry = getpwnam(owner.name.c_str());
    if (!entry || chown(path.c_str(), entry->pw_uid, static_cast<gid_t>(-1)) != 0)
        return false;
    return platform::RunProgram({kSetpriv, "--reuid=" + owner.name, "--regid=sambashare", "--clear-groups",
                                 platform::kNetProgram, "-s", m_config, "usershare", "add", "--", share, path, "",
                                 acl, "guest_ok=n"}).exitCode == 0;
}

std::string SambaFixture::ShareAcl(const std::string& share) const
{
    static const std::string key = "\nusershare_acl=";
    std::string info = ShareInfo(share);
    std::size_t at = info.find(key);
    if (at == std::string::npos)
        return "";
    at += key.size();
    return info.substr(at, info.find('\n', at) - at);
}
