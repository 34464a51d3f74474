// The control endpoint of the device's web server: what a user does at the device's panel,
// started over HTTPS by tests and scripts (tarrow-simscan). Not part of the command protocol:
// its requests are neither recorded nor subject to the device's profile.
//
// POST /control/scan with URL-encoded fields folder (the entry's name), and for an entry whose
// user signs in at the device user, password and domain. Replies are text/plain, one line:
//   200 "OK <file name>\n"          the scan wrote that file into the entry's folder
//   200 "FAILED <status>\n"         the scan failed with that status (ScanResult::status)
//   400 "FAILED MISSING_FOLDER\n"   no folder field, or an empty one
//   405 "FAILED METHOD_NOT_ALLOWED\n" another method than POST
//   404 "FAILED NO_SUCH_CONTROL\n"  another path below /control/
#pragma once

#include "tools/simdevice/HttpsServer.h"
#include "tools/simdevice/SimulatedDevice.h"

#include <functional>

namespace simdevice {

inline constexpr const char* kControlPrefix = "/control/";
inline constexpr const char* kControlScanPath = "/control/scan";

bool IsControlRequest(const ReceivedRequest& request);

Reply AnswerControlRequest(const ReceivedRequest& request, const std::function<ScanResult(const ScanRequest&)>& scan);

} // namespace simdevice
