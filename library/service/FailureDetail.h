// The plain-words reason that GetFailureDetail hands to the front ends when Samba refused a share.
#pragma once

#include "platform/core/CString.h"

// Samba's own words (refusal, as platform::IShares::LastRefusal gives them) followed, for the
// causes a user can mend, by the fix in one line ("Fix: ..."): the running account not in group
// sambashare, a name that [homes] keeps for an account, usershares switched off, and the most
// usershares reached. The fixes name the account running this process, which makes the shares.
// Empty for an empty refusal.
CString ShareFailureDetail(const CString& refusal);
