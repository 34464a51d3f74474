#include "FixActions.h"

namespace fixes {

bool IsPersonUid(uid_t uid)
{
    return uid >= kFirstPersonUid && uid != kNobodyUid && uid != static_cast<uid_t>(-1);
}

FixOutcome RunFix(const FixRequest& request, const FixContext& context)
{
    switch (request.verb) {
    case Verb::JoinSambashare:
        return JoinSambashare(context);
    case Verb::SetSambaPassword:
        return SetSambaPassword(request, context);
    case Verb::StartSamba:
        return StartSamba(request, context);
    case Verb::AllowOldDevice:
        return AllowOldDevice(request, context);
    case Verb::DisallowOldDevice:
        return DisallowOldDevice(context);
    case Verb::OpenFirewall:
        return OpenFirewall(request, context);
    case Verb::CloseFirewall:
        return CloseFirewall(request, context);
    }
    return Refused("unknown request");
}

} // namespace fixes
