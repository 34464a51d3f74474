// The single checks of the self-test, each a function of the input. SelfCheck.cpp holds their
// table; each returns its result without the name, which the table supplies.
#pragma once

#include "SelfCheck.h"

namespace selfcheck {

CheckResult CheckSambaInstalled(const CheckInput& input);
CheckResult CheckServerListening(const CheckInput& input);
CheckResult CheckSambaAccount(const CheckInput& input);
CheckResult CheckComputerName(const CheckInput& input);
CheckResult CheckProtocol(const CheckInput& input);
CheckResult CheckUsershareGroup(const CheckInput& input);
CheckResult CheckShare(const CheckInput& input);
CheckResult CheckFolderRights(const CheckInput& input);
CheckResult CheckFirewall(const CheckInput& input);

} // namespace selfcheck
