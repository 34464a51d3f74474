// The check of an account's password before the device is told to write with it.
#pragma once

#include "frontend/LogonMethod.h"

#include "platform/core/CString.h"

// Verifies userName of domain with password by method. True when accepted or when the method is
// None; false when refused, with the log line "LogonUser() has failed with error code : N"
// (network logon) or "SSPLogonUser() has failed with error code : N" (handshake), N the last error.
bool CheckLogon(LogonMethod method, const CString& userName, const CString& domain, const CString& password);
