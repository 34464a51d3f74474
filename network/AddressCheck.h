// The three address checks: is the device named by IP address, host name or MAC address on the
// network, and what is its model? Each returns 0 on success and 1 on failure, stores its
// outcome for the settings data file and tells the user about an invalid or missing address.
#pragma once

#include "common/data/CWriteXML.h"
#include "network/NetworkState.h"

class CAddressCheck {
public:
    // tellUser: an address that is invalid or not found is shown in a message box (the program's);
    // without it, only the result and the log say so (tarrowctl says it in its own words).
    CAddressCheck(NetworkState& state, CWriteXML& dataFile, bool tellUser = true)
        : m_state(state), m_dataFile(dataFile), m_tellUser(tellUser)
    {
    }

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
    bool m_tellUser;
};

enum class AddressKind { IPAddress, HostName, MACAddress };

// One address check as TarrowNetwork makes it, with its log lines ("Calling
// Vesper_ValidateIPAddress(...).", "IP Validated Successfully", ...): answers gets the keys of the
// data file (PrinterModelName, PrinterAccessError, and IPAddressFromHost or IPAddressFromMAC).
// 0 when the device was found, 1 when not.
int RunAddressCheck(NetworkState& state, CWriteXML& answers, AddressKind kind, const CString& address,
                    bool tellUser = true);
