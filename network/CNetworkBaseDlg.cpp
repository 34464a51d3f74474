#include "network/CNetworkBaseDlg.h"

CNetworkBaseDlg::CNetworkBaseDlg(NetworkState& state, CWriteXML& dataFile, const char16_t* pageName)
    : CPageDlg(state, pageName), m_state(state), m_dataFile(dataFile)
{
}

void CNetworkBaseDlg::OnCancel()
{
    m_state.exitCode = 1;
    UpdateData(true);
    EndDialog(platform::kPageOk); // no caller looks at a page's result
}

void CNetworkBaseDlg::LeavePage()
{
    StorePosition();
    EndDialog(platform::kPageOk);
}
