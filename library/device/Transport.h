// The HTTPS form post of one command to the device's embedded web server.
//
// The URL is "https://" + address + "/norvik/device/this.wjadsdsmp"; the address may carry a port
// ("127.0.0.1:8443"). An address that is no host name, IPv4 address or IPv6 literal
// (DeviceAddress.h) is refused with a log line, and nothing is sent. The device's certificate is
// self-signed and is not verified. A reply stops at kMaxReplyBytes (ReplySink.h).
//
// Time-outs: 20 s to connect and 120 s in all by default, so that a device that accepts the
// connection and never answers cannot block its caller for ever. The environment variables
// TARROW_DEVICE_CONNECT_TIMEOUT_MS and TARROW_DEVICE_TIMEOUT_MS override them (milliseconds).
#pragma once

#include "platform/core/CString.h"

#include <cstddef>

class CDSMP_Command;

inline constexpr const char* kDevicePath = "/norvik/device/this.wjadsdsmp";

struct TransportTimeouts {
    long connectMilliseconds;
    long totalMilliseconds;
};

TransportTimeouts CurrentTransportTimeouts();

// Posts the command's payload, appends the reply to its csResponse and sets its nHttpStatus;
// 1 = carried out (whatever the status), 0 = refused address or failed transfer (logged).
int Test_cURL(CDSMP_Command& command, const CString& ipAddress);
