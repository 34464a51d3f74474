#include "FixPlan.h"

namespace fixes {

std::string DescribeFix(const FixRequest& request, const std::string& account)
{
    switch (request.verb) {
    case Verb::JoinSambashare:
        return "add " + account + " to group sambashare, so that Samba takes its shares (counts from its next login)";
    case Verb::SetSambaPassword:
        return "give " + request.account + " a Samba password (the password given)";
    case Verb::StartSamba:
        return std::string("enable and start Samba's server smbd") +
               (request.nmbd ? " and its name server nmbd, which answers for this computer's name" : "");
    case Verb::AllowOldDevice:
        return std::string("let in an old device in smb.conf: ") +
               (request.smb1 && request.ntlmv1 ? "SMB1 and NTLMv1" : request.smb1 ? "SMB1" : "NTLMv1") +
               " (weak: only while such a device needs it)";
    case Verb::DisallowOldDevice:
        return "take the settings for an old device out of smb.conf";
    case Verb::OpenFirewall:
        return "open TCP port 445 of the firewall for " + request.address + " alone";
    case Verb::CloseFirewall:
        return "close the firewall's opening of TCP port 445 for " + request.address;
    }
    return "";
}

std::vector<PlannedFix> PlanFixes(const std::vector<selfcheck::CheckResult>& results, const std::string& account)
{
    std::vector<PlannedFix> plan;
    for (const auto& result : results) {
        if (result.status != selfcheck::Status::Problem || result.remedy.empty())
            continue;
        std::string error;
        std::optional<FixRequest> request = ParseRequest(result.remedy, error);
        if (!request)
            continue;
        bool taken = false;
        for (PlannedFix& planned : plan) {
            if (planned.request.verb != request->verb)
                continue;
            // smbd's and nmbd's starts, and the two settings of an old device, go together;
            // the same request twice is made once.
            planned.request.nmbd = planned.request.nmbd || request->nmbd;
            planned.request.smb1 = planned.request.smb1 || request->smb1;
            planned.request.ntlmv1 = planned.request.ntlmv1 || request->ntlmv1;
            planned.words = DescribeFix(planned.request, account);
            taken = taken || (planned.request.account == request->account && planned.request.address == request->address);
        }
        if (!taken)
            plan.push_back({*request, DescribeFix(*request, account)});
    }
    return plan;
}

} // namespace fixes
