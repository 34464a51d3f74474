// One exchange whose answer counts: for the commands that change the device, an answer outside
// HTTP 200-299 (a server error, a log-in page with 401), or a reply that says no (an ErrorReply
// element, or a ReturnCode other than a success code), means the change was not made.
#pragma once

#include "CDSMP_Command.h"

// The refusal that a reply carries: the ReturnCode of an ErrorReply element, or a ReturnCode
// attribute whose value is no success code ("SUCCESS", "OK", "0"). Empty when the reply holds
// no such mark (replies without return codes keep counting as accepted).
CString ReplyRefusal(const CString& reply);

// Executes command on ipAddress. Returns 1 when the exchange was carried out, the device
// answered with an HTTP status of 200 to 299 and the reply refuses nothing, else 0. A failed
// transfer is logged by the transport; a status outside the range as "ERROR- " + caller + ": " +
// the command's name + " returned HTTP status " + the status; a refusal as "ERROR- " + caller +
// ": " + the command's name + " was refused by the device: ReturnCode " + the code.
int ExecuteAccepted(CDSMP_Command& command, const CString& ipAddress, const CString& caller);
