// Base of every device command: an XML payload posted to the device, and the reply it received.
//
// A command is built on the stack by the operation that uses it (its constructor builds the
// payload), executed, read and destroyed in the same scope.
#pragma once

#include "platform/core/CString.h"

class CDSMP_Command {
public:
    // 1 = exchange carried out (whatever the device answered), 0 = transfer failed.
    int ExecuteCommand(CString ipAddress);
    // Whether the last exchange got an HTTP status of 200 to 299.
    bool HttpStatusIsSuccess() const { return nHttpStatus >= 200 && nHttpStatus <= 299; }
    CString GetResponse() const { return csResponse; }
    CString FormatPayloadHex();

    // Builds csPayload afresh; 1 = built, 0 = refused.
    virtual int CreatePayload() = 0;

    CString csCommandName;
    CString csPayload;
    CString csPayloadHex;
    CString csResponse;
    // HTTP status of the last exchange; 0 when no status line arrived (or nothing was sent).
    int nHttpStatus = 0;

protected:
    CDSMP_Command() = default;
    ~CDSMP_Command() = default;
};

class CInformationMessage : public CDSMP_Command {
protected:
    CInformationMessage() = default;
    ~CInformationMessage() = default;
};

// The log texts of one exchange: "  Payload (n)|...|" (without time stamp) and "Received (n)|...|".
// Passwords are masked, then control characters escaped (the counts stay the texts' lengths).
CString PayloadLogText(CDSMP_Command& command);
CString ReceivedLogText(const CString& response);

// A copy of text in which the value of every attribute ending in "Password=" is replaced by
// asterisks of the same length: an unclosed value up to the end of the text, an empty value
// stays empty. Only a "Password=" directly followed by a quotation mark, and not inside another
// quoted value, counts: a user name such as xPassword= cannot pair the wrong quotation marks.
CString MaskPasswords(const CString& text);
