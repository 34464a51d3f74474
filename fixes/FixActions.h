// The fixes, one per kind of change; each checks what it is given, changes nothing when the
// computer already is as asked, and undoes its own earlier steps when a later one fails.
#pragma once

#include "FixContext.h"
#include "FixRequest.h"

namespace fixes {

// The group whose members make usershares on Debian.
inline constexpr const char* kSambashareGroup = "sambashare";
// The lowest uid of an account of a person (Debian's FIRST_UID); nobody's uid is not one.
inline constexpr uid_t kFirstPersonUid = 1000;
inline constexpr uid_t kNobodyUid = 65534;

FixOutcome JoinSambashare(const FixContext& context);
FixOutcome SetSambaPassword(const FixRequest& request, const FixContext& context);
FixOutcome StartSamba(const FixRequest& request, const FixContext& context);
FixOutcome AllowOldDevice(const FixRequest& request, const FixContext& context);
FixOutcome DisallowOldDevice(const FixContext& context);
FixOutcome OpenFirewall(const FixRequest& request, const FixContext& context);
FixOutcome CloseFirewall(const FixRequest& request, const FixContext& context);

// The fix the request asks for.
FixOutcome RunFix(const FixRequest& request, const FixContext& context);

// Whether the uid is a person's account (not root, not a system account, not nobody).
bool IsPersonUid(uid_t uid);

} // namespace fixes
