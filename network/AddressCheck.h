// The three address checks: is the device named by IP address, host name or MAC address on the
// network, and what is its model? Each returns 0 on success and 1 on failure, stores its
// outcome for the settings data file and tells the user about an invalid or missing address.
#pragma once

#include "common/data/CWriteXML.h"
#include "network/NetworkState.h"

class CAddressCheck {
public:
    CAddressCheck(NetworkState& state, CWriteXML& dataFile) : m_state(state), m_dataFile(dataFile) {}

    // attempt counts the runs so far (0 for the first); an empty search is run again up to
    // attempt 5, after a wait of 3000 ms.
    int ValidateIPAddress(const CString& address, int attempt);
    int ValidateHostName(const CString& hostName, CString& ipAddress, int attempt);
    int ValidateMACAddress(const CString& macAddress, CString& ipAddress, int attempt);

    static constexpr int kLastAttempt = 5;
    static constexpr unsigned kRetryWaitMs = 3000;

private:
    NetworkState& m_state;
    CWriteXML& m_dataFile;
};
