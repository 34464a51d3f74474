// TarrowNetwork's application: one address check or one network search per run, the settings
// data file when the run succeeded, and the exit code.
#pragma once

#include "common/data/CWriteXML.h"
#include "network/CCommandLineInfoEx.h"
#include "network/NetworkState.h"

#include <functional>

class CQuilletNetworkApp {
public:
    // List mode's pages: the progress page (which starts the discovery worker) and the finish
    // page nested in it, run modally; returns when they have closed.
    using DiscoveryPages = std::function<void(NetworkState& state, CWriteXML& dataFile)>;

    CQuilletNetworkApp(NetworkState& state, CWriteXML& dataFile, DiscoveryPages discoveryPages);

    // The whole run. commandLine is the text after the program name. Returns true.
    bool InitInstance(const CString& commandLine);
    // Ends the run: returns the exit code (0 success, 1 check failed or page cancelled).
    int ExitInstance();

    int ResultCode() const { return m_nResultCode; }
    const CString& RunMode() const { return m_csRunMode; }

private:
    void ChooseRunMode();
    void ApplyWindowPosition();
    void RunAddressCheck();

    NetworkState& m_state;
    CWriteXML& m_dataFile;
    DiscoveryPages m_discoveryPages;
    int m_nResultCode = 0;
    CString m_csIPAddress;
    CString m_csHostName;
    CString m_csMACAddress;
    CString m_csRunMode;
    CCommandLineInfoEx m_cmdInfo;
};
