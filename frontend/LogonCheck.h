// The check of an account's password before the device is told to write with it.
#pragma once

#include "frontend/LogonMethod.h"

#include "platform/core/CString.h"

// What a logon attempt found: accepted, or refused with the last error that the failed call
// left (in the thread that made the attempt).
struct LogonOutcome {
    bool accepted = true;
    int error = 0;
    const char16_t* failedCall = nullptr; // u"LogonUser()" or u"SSPLogonUser()" when refused
};

// Tries userName of domain with password by method, logging nothing: any thread may make the
// attempt. Accepted when the method is None.
LogonOutcome AttemptLogon(LogonMethod method, const CString& userName, const CString& domain, const CString& password);

// The attempt's result as the check reports it: true when accepted; false with the log line
// "LogonUser() has failed with error code : N" (network logon) or "SSPLogonUser() has failed with
// error code : N" (handshake), and N as this thread's last error.
bool ReportLogon(const LogonOutcome& outcome);

// AttemptLogon, then ReportLogon.
bool CheckLogon(LogonMethod method, const CString& userName, const CString& domain, const CString& password);
