#include "Accounts.h"

#include "SambaPassdb.h"

#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "platform/fs/WinErrors.h"

#include <grp.h>
#include <pwd.h>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

bool IsThisComputer(CString domain)
{
    if (domain == u".")
        return true;
    CString computer;
    if (!Use<ISystemInfo>().GetComputerName(computer))
        return false;
    domain.MakeUpper();
    computer.MakeUpper();
    return domain == computer;
}

std::string SambaAccountSid(const std::string& name)
{
    const PassdbEntry entry = ReadPassdbEntry(name);
    if (entry.answer != PassdbAnswer::Listed)
        return {};
    std::istringstream lines(entry.output);
    const std::string key = "User SID:";
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, key.size(), key) != 0)
            continue;
        std::string sid = line.substr(key.size());
        sid.erase(0, sid.find_first_not_of(" \t"));
        return sid;
    }
    return {};
}

class LinuxAccounts : public IAccounts {
public:
    int LookupAccountName(const CString& name, Account& account) override
    {
        CString userName = name;
        if (int slash = name.Find(u'\\'); slash >= 0) {
            if (!IsThisComputer(name.Left(slash)))
                return kErrorNoneMapped;
            userName = name.Mid(slash + 1);
        }
        if (userName.IsEmpty())
            return kErrorNoneMapped;
        std::vector<char> buffer(16384);
        passwd entry {};
        passwd* found = nullptr;
        if (getpwnam_r(userName.ToUtf8().c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
            return kErrorNoneMapped;
        account.name = CString::FromUtf8(found->pw_name);
        account.uid = found->pw_uid;
        account.gid = found->pw_gid;
        account.domain.Empty();
        Use<ISystemInfo>().GetComputerName(account.domain);
        return kErrorSuccess;
    }

    CString LookupSambaSid(const Account& account) override
    {
        std::string sid = SambaAccountSid(account.name.ToUtf8());
        return sid.empty() ? UnixUserSid(account) : CString::FromUtf8(sid);
    }

    bool GetUserName(CString& name) override
    {
        std::vector<char> buffer(16384);
        passwd entry {};
        passwd* found = nullptr;
        if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
            return false;
        name = CString::FromUtf8(found->pw_name);
        return true;
    }
};

} // namespace

CString AccountNameOf(uid_t uid)
{
    std::vector<char> buffer(16384);
    passwd entry {};
    passwd* found = nullptr;
    if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return CString::FromUtf8(found->pw_name);
}

CString UnixUserSid(const Account& account)
{
    return CString::FromUtf8("S-1-22-1-" + std::to_string(account.uid));
}

IAccounts& IAccounts::Default()
{
    static LinuxAccounts instance;
    return instance;
}

std::vector<gid_t> GroupsOf(const Account& account)
{
    int count = 32;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    std::string name = account.name.ToUtf8();
    while (getgrouplist(name.c_str(), account.gid, groups.data(), &count) < 0)
        groups.resize(static_cast<std::size_t>(count));
    groups.resize(static_cast<std::size_t>(count));
    return groups;
}

} // namespace platform
