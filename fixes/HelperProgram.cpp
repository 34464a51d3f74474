#include "HelperProgram.h"

#include "FixActions.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <poll.h>
#include <pwd.h>
#include <sstream>
#include <syslog.h>
#include <unistd.h>

namespace fixes {

namespace {

constexpr const char* kProgramName = "tarrow-fix-helper";
constexpr int kPasswordTimeout = 30000; // milliseconds for the caller to hand the password over
constexpr std::size_t kMaxPasswordLine = 1024;

void Say(const std::string& line)
{
    syslog(LOG_NOTICE, "%s", line.c_str());
    std::cerr << kProgramName << ": " << line << std::endl;
}

int Refuse(const std::string& why)
{
    syslog(LOG_WARNING, "refused: %s", why.c_str());
    std::cerr << kProgramName << ": refused: " << why << std::endl;
    return kHelperRefused;
}

// The uid in PKEXEC_UID, when it holds nothing but one.
bool CallerUid(uid_t& uid)
{
    const char* text = std::getenv("PKEXEC_UID");
    if (!text || !*text)
        return false;
    char* end = nullptr;
    errno = 0;
    unsigned long value = std::strtoul(text, &end, 10);
    if (errno != 0 || *end != '\0' || text[0] == '-' || text[0] == '+' || value >= static_cast<uid_t>(-1))
        return false;
    uid = static_cast<uid_t>(value);
    return true;
}

// The real uid of the program that started this one: pkexec replaces itself with the helper, so
// that is the program that ran pkexec.
bool ParentUid(uid_t& uid)
{
    std::ifstream status("/proc/" + std::to_string(getppid()) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Uid:", 0) != 0)
            continue;
        std::istringstream words(line.substr(4));
        unsigned long real = 0;
        if (!(words >> real))
            return false;
        uid = static_cast<uid_t>(real);
        return true;
    }
    return false;
}

// One line from standard input, waiting at most kPasswordTimeout for it.
bool ReadPassword(std::string& password)
{
    password.clear();
    for (;;) {
        pollfd watch{STDIN_FILENO, POLLIN, 0};
        int ready = poll(&watch, 1, kPasswordTimeout);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        char c = 0;
        ssize_t n = read(STDIN_FILENO, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || c == '\n')
            return !password.empty() || n > 0;
        if (password.size() >= kMaxPasswordLine)
            return false;
        password += c;
    }
}

} // namespace

int RunFixHelper(const std::vector<std::string>& words, const std::string& sambaConfig)
{
    openlog(kProgramName, LOG_PID, LOG_AUTHPRIV);
    if (geteuid() != 0)
        return Refuse("this helper changes the system and runs only as root, started by pkexec "
                      "(pkexec /usr/libexec/tarrow/tarrow-fix-helper ...)");
    uid_t caller = 0;
    if (!CallerUid(caller))
        return Refuse("PKEXEC_UID does not name the calling account: start the helper through pkexec");
    uid_t parent = 0;
    if (!ParentUid(parent) || parent != caller)
        return Refuse("the program that started the helper does not run as the account PKEXEC_UID names (uid " +
                      std::to_string(caller) + ")");
    const passwd* account = getpwuid(caller);
    if (!account)
        return Refuse("there is no account with uid " + std::to_string(caller));
    if (!IsPersonUid(caller))
        return Refuse("the caller " + std::string(account->pw_name) +
                      " is not an account of a person (uid 1000 and above)");

    std::string error;
    std::optional<FixRequest> request = ParseRequest(words, error);
    if (!request)
        return Refuse(error);

    FixContext context;
    context.caller = caller;
    context.callerName = account->pw_name;
    context.sambaConfig = sambaConfig;
    context.log = Say;
    if (NeedsPassword(*request) && !ReadPassword(context.password))
        return Refuse("no password came on standard input (one line)");
    // Samba's tools act as root only when the real uid is root too.
    if (setresgid(0, 0, 0) != 0 || setresuid(0, 0, 0) != 0)
        return Refuse("could not take root's identity");

    std::string asked;
    for (const auto& word : RequestWords(*request))
        asked += " " + word;
    Say("request of " + context.callerName + " (uid " + std::to_string(caller) + "):" + asked);
    FixOutcome outcome = RunFix(*request, context);
    Say((outcome.ok ? "" : "failed: ") + outcome.message);
    std::cout << outcome.message << std::endl;
    return outcome.ok ? kHelperOk : kHelperFailed;
}

} // namespace fixes
