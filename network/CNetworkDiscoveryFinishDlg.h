// The page "NetworkDiscoveryFinish": the devices of the search; the user picks one or says that
// the device is not in the list, and Next stores the choice for the settings data file.
#pragma once

#include "network/CNetworkBaseDlg.h"

class CNetworkDiscoveryFinishDlg : public CNetworkBaseDlg {
public:
    CNetworkDiscoveryFinishDlg(NetworkState& state, CWriteXML& dataFile);

    static std::span<const NetworkBinding<CNetworkDiscoveryFinishDlg>> Bindings();
    static std::span<const NetworkClick<CNetworkDiscoveryFinishDlg>> Clicks();

protected:
    void DoDataExchange(bool saveAndValidate) override { Exchange(saveAndValidate, *this, Bindings()); }
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }

private:
    void OnButtonNext();

    CString m_selectedDevice;
};
