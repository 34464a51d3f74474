#include "FixRequest.h"

#include <arpa/inet.h>
#include <netinet/in.h>

namespace fixes {

namespace {

struct VerbEntry {
    Verb verb;
    const char* word;
};

constexpr VerbEntry kVerbs[] = {
    {Verb::JoinSambashare, "join-sambashare"},     {Verb::SetSambaPassword, "set-samba-password"},
    {Verb::StartSamba, "start-samba"},             {Verb::AllowOldDevice, "allow-old-device"},
    {Verb::DisallowOldDevice, "disallow-old-device"}, {Verb::OpenFirewall, "open-firewall"},
    {Verb::CloseFirewall, "close-firewall"},
};

constexpr std::size_t kMaxAccountName = 32;

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The one word a verb takes, or the reason it is missing or not alone.
bool OneWord(const std::vector<std::string>& words, const char* what, std::string& word, std::string& error)
{
    if (words.size() != 2) {
        error = words.size() < 2 ? std::string("missing ") + what : std::string("more than one ") + what;
        return false;
    }
    word = words[1];
    return true;
}

} // namespace

const char* VerbWord(Verb verb)
{
    for (const auto& entry : kVerbs)
        if (entry.verb == verb)
            return entry.word;
    return "";
}

std::string ActionId(Verb verb)
{
    return std::string("org.tarrow.fix.") + VerbWord(verb);
}

bool IsAccountName(const std::string& name)
{
    if (name.empty() || name.size() > kMaxAccountName || !(IsLower(name[0]) || name[0] == '_'))
        return false;
    for (std::size_t i = 1; i < name.size(); ++i) {
        char c = name[i];
        bool last = i + 1 == name.size();
        if (!(IsLower(c) || IsDigit(c) || c == '_' || c == '-' || c == '.' || (last && c == '$')))
            return false;
    }
    return true;
}

std::optional<std::string> DeviceAddress(const std::string& text)
{
    char written[INET6_ADDRSTRLEN] = {};
    in_addr v4{};
    if (inet_pton(AF_INET, text.c_str(), &v4) == 1) {
        uint32_t host = ntohl(v4.s_addr);
        if (host == 0 || host == 0xffffffffu || (host >> 24) == 127 || (host >> 28) == 0xe)
            return std::nullopt;
        inet_ntop(AF_INET, &v4, written, sizeof written);
        return written;
    }
    in6_addr v6{};
    if (inet_pton(AF_INET6, text.c_str(), &v6) == 1) {
        if (IN6_IS_ADDR_UNSPECIFIED(&v6) || IN6_IS_ADDR_LOOPBACK(&v6) || IN6_IS_ADDR_MULTICAST(&v6) ||
            IN6_IS_ADDR_V4MAPPED(&v6))
            return std::nullopt;
        inet_ntop(AF_INET6, &v6, written, sizeof written);
        return written;
    }
    return std::nullopt;
}

std::optional<FixRequest> ParseRequest(const std::vector<std::string>& words, std::string& error)
{
    if (words.empty()) {
        error = "no request given";
        return std::nullopt;
    }
    FixRequest request;
    bool known = false;
    for (const auto& entry : kVerbs)
        if (words[0] == entry.word) {
            request.verb = entry.verb;
            known = true;
        }
    if (!known) {
        error = "unknown request \"" + words[0] + "\"";
        return std::nullopt;
    }
    const std::string verb = words[0];
    std::string word;
    switch (request.verb) {
    case Verb::JoinSambashare:
    case Verb::DisallowOldDevice:
        if (words.size() != 1) {
            error = verb + " takes no more words (the account is the caller's own)";
            return std::nullopt;
        }
        return request;
    case Verb::SetSambaPassword:
        if (!OneWord(words, "account name", word, error))
            return std::nullopt;
        if (!IsAccountName(word)) {
            error = "\"" + word + "\" is not an account name";
            return std::nullopt;
        }
        request.account = word;
        return request;
    case Verb::StartSamba:
        if (words.size() > 2 || (words.size() == 2 && words[1] != "nmbd")) {
            error = "start-samba takes only the word nmbd";
            return std::nullopt;
        }
        request.nmbd = words.size() == 2;
        return request;
    case Verb::AllowOldDevice:
        for (std::size_t i = 1; i < words.size(); ++i) {
            bool& flag = words[i] == "smb1" ? request.smb1 : request.ntlmv1;
            if ((words[i] != "smb1" && words[i] != "ntlmv1") || flag) {
                error = "allow-old-device takes smb1 and ntlmv1, each once, not \"" + words[i] + "\"";
                return std::nullopt;
            }
            flag = true;
        }
        if (!request.smb1 && !request.ntlmv1) {
            error = "allow-old-device needs smb1, ntlmv1 or both";
            return std::nullopt;
        }
        return request;
    case Verb::OpenFirewall:
    case Verb::CloseFirewall:
        if (!OneWord(words, "device address", word, error))
            return std::nullopt;
        if (auto address = DeviceAddress(word)) {
            request.address = *address;
            return request;
        }
        error = "\"" + word + "\" is not the address of one device";
        return std::nullopt;
    }
    return std::nullopt;
}

std::vector<std::string> RequestWords(const FixRequest& request)
{
    std::vector<std::string> words{VerbWord(request.verb)};
    switch (request.verb) {
    case Verb::SetSambaPassword:
        words.push_back(request.account);
        break;
    case Verb::StartSamba:
        if (request.nmbd)
            words.push_back("nmbd");
        break;
    case Verb::AllowOldDevice:
        if (request.smb1)
            words.push_back("smb1");
        if (request.ntlmv1)
            words.push_back("ntlmv1");
        break;
    case Verb::OpenFirewall:
    case Verb::CloseFirewall:
        words.push_back(request.address);
        break;
    default:
        break;
    }
    return words;
}

bool NeedsPassword(const FixRequest& request)
{
    return request.verb == Verb::SetSambaPassword;
}

} // namespace fixes
