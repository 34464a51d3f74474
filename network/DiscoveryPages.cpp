#include "network/DiscoveryPages.h"

#include "common/log/ProgramLog.h"
#include "network/CNetworkDiscoveryProgressDlg.h"
#include "network/DiscoveryWorker.h"

namespace {

constexpr int kNoPageWindow = -1; // CPageDlg::DoModal without a window

} // namespace

void RunDiscoveryPages(NetworkState& state, CWriteXML& dataFile)
{
    CNetworkDiscoveryProgressDlg progress(state, dataFile);
    if (progress.DoModal() != kNoPageWindow)
        return;
    ProgramLog().Line(kNoPageWindowLine);
    StartDiscoveryWorker(&state);
    JoinDiscoveryWorkers();
}
