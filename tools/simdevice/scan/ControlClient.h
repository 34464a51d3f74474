// The client side of the simulated device's control endpoint (tools/simdevice/ControlEndpoint.h).
#pragma once

#include <string>

namespace simdevice {

struct ScanControlFields {
    std::string folder;
    std::string user;
    std::string domain;
    std::string password;
    ~ScanControlFields();  // wipes the password
};

struct ControlReply {
    bool answered = false;  // false: no HTTP reply came (error tells why)
    long httpStatus = 0;
    std::string body;
    std::string error;      // the transfer's error text; never holds the fields
};

// Posts the fields URL-encoded to https://HOST:PORT/control/scan. The device's certificate is
// self-signed, so it is not verified: this tool talks to loopback addresses only.
ControlReply PostScan(const std::string& host, int port, const ScanControlFields& fields);

} // namespace simdevice
