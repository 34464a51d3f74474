#include "FailureDetail.h"

#include "platform/core/Services.h"
#include "platform/security/Accounts.h"
#include "platform/shares/SambaConfig.h"

#include <string>

namespace {

constexpr const char* kSystemConfig = "/etc/samba/smb.conf";

std::string ConfigInUse()
{
    std::string path = platform::SambaConfigPath();
    return path.empty() ? kSystemConfig : path;
}

std::string JoinSambashare(const std::string& user)
{
    return "add the account " + user + " to group sambashare (sudo usermod -aG sambashare " + user +
           "), then log out and in again";
}

std::string ChooseAnotherName(const std::string&)
{
    return "choose another folder name: Samba keeps the name of every account of this computer for its home "
           "folder ([homes] in " + ConfigInUse() + ")";
}

std::string SwitchUsersharesOn(const std::string&)
{
    return "switch usershares on: add \"usershare max shares = 100\" to [global] in " + ConfigInUse() +
           ", then run: sudo systemctl restart smbd";
}

std::string MakeRoomForAShare(const std::string&)
{
    return "remove a share that is no longer needed (net usershare list, then net usershare delete NAME), or "
           "raise \"usershare max shares\" in [global] of " + ConfigInUse();
}

struct Cause {
    const char* words; // what Samba's tool says
    std::string (*fix)(const std::string& user);
};

constexpr Cause kCauses[] = {
    {"do not have permission", JoinSambashare},
    {"cannot be opened by this account", JoinSambashare},
    {"cannot create tmp file", JoinSambashare},
    {"is already a valid system user name", ChooseAnotherName},
    {"currently disabled", SwitchUsersharesOn},
    {"usershare max shares = 0", SwitchUsersharesOn},
    {"maximum number of allowed usershares", MakeRoomForAShare},
};

} // namespace

CString ShareFailureDetail(const CString& refusal)
{
    if (refusal.IsEmpty())
        return {};
    const std::string words = refusal.ToUtf8();
    for (const Cause& cause : kCauses) {
        if (words.find(cause.words) == std::string::npos)
            continue;
        CString runningUser;
        platform::Use<platform::IAccounts>().GetUserName(runningUser);
        return refusal + u"\nFix: " + CString::FromUtf8(cause.fix(runningUser.ToUtf8()));
    }
    return refusal;
}
