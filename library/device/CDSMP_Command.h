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
    CString GetResponse() const { return csResponse; }
    CString FormatPayloadHex();

    // Builds csPayload afresh; 1 = built, 0 = refused.
    virtual int CreatePayload() = 0;

    CString csCommandName;
    CString csPayload;
    CString csPayloadHex;
    CString csResponse;

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
CString PayloadLogText(CDSMP_Command& command);
CString ReceivedLogText(const CString& response);

// A copy of text with every value after "Password=" replaced by asterisks of the same length.
CString MaskPasswords(const CString& text);
