// One exchange whose reply status counts: for the commands that change the device, an answer
// outside 200-299 (a server error, a log-in page with 401) means the change was not made.
#pragma once

#include "CDSMP_Command.h"

// Executes command on ipAddress. Returns 1 when the exchange was carried out and the device
// answered with an HTTP status of 200 to 299, else 0. A failed transfer is logged by the
// transport; a status outside the range as "ERROR- " + caller + ": " + the command's name +
// " returned HTTP status " + the status.
int ExecuteAccepted(CDSMP_Command& command, const CString& ipAddress, const CString& caller);
