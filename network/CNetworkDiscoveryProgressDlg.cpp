#include "network/CNetworkDiscoveryProgressDlg.h"

#include "network/CNetworkDiscoveryFinishDlg.h"
#include "network/DiscoveryWorker.h"

CNetworkDiscoveryProgressDlg::CNetworkDiscoveryProgressDlg(NetworkState& state, CWriteXML& dataFile)
    : CNetworkBaseDlg(state, dataFile, u"NetworkDiscoveryProgress")
{
}

std::span<const NetworkClick<CNetworkDiscoveryProgressDlg>> CNetworkDiscoveryProgressDlg::Clicks()
{
    static constexpr NetworkClick<CNetworkDiscoveryProgressDlg> kClicks[] = {
        {u"ButtonStopSearching", &CNetworkDiscoveryProgressDlg::OnButtonStopSearching},
    };
    return kClicks;
}

int CNetworkDiscoveryProgressDlg::OnInitDialog()
{
    CNetworkBaseDlg::OnInitDialog();
    State().windowHandle = MessageTarget();
    StartDiscoveryWorker(&State());
    return 1;
}

void CNetworkDiscoveryProgressDlg::WindowProc(unsigned message)
{
    if (message == WM_DISCOVERY_DONE)
        OnDiscoveryDone();
}

void CNetworkDiscoveryProgressDlg::OnButtonStopSearching()
{
    // The worker goes on searching; the program's shutdown of the discovery service stops it and
    // the program waits for it before it ends.
    DataFile().SetValue(u"SelectionStatus", u"0");
    LeavePage();
}

void CNetworkDiscoveryProgressDlg::OnDiscoveryDone()
{
    if (!Window() || Window()->IsEnded())
        return; // stopped or cancelled before the search was done: no finish page
    CNetworkDiscoveryFinishDlg finish(State(), DataFile());
    LeavePage();
    finish.DoModal();
}
