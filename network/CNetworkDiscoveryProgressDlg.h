// The page "NetworkDiscoveryProgress": shown while the discovery worker searches the network.
// When the worker is done the finish page takes its place; Stop searching ends the run without
// a choice.
#pragma once

#include "network/CNetworkBaseDlg.h"

class CNetworkDiscoveryProgressDlg : public CNetworkBaseDlg {
public:
    CNetworkDiscoveryProgressDlg(NetworkState& state, CWriteXML& dataFile);

    static std::span<const NetworkClick<CNetworkDiscoveryProgressDlg>> Clicks();

protected:
    // The common page start, then the worker, which reports to this page.
    int OnInitDialog() override;
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }
    void WindowProc(unsigned message) override;

private:
    void OnButtonStopSearching();
    // WM_DISCOVERY_DONE: the finish page, nested in this page's ended loop.
    void OnDiscoveryDone();
};
