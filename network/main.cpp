// TarrowNetwork: checks one device address or searches the network, started by Tarrow.
#include "common/data/CWriteXML.h"
#include "network/CQuilletNetworkApp.h"
#include "network/DiscoveryPages.h"
#include "platform/core/CommandLine.h"
#include "platform/core/RunFolder.h"

namespace {

// Made before the application starts and kept to the very end: a worker may still hold them.
NetworkState& networkState = *new NetworkState;
CWriteXML& cWriteXML = *new CWriteXML;

} // namespace

int main(int argc, char** argv)
{
    CStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.AddTail(CString::FromUtf8(argv[i]));
    CQuilletNetworkApp app(networkState, cWriteXML, RunDiscoveryPages);
    app.InitInstance(JoinCommandLine(arguments));
    const int exitCode = app.ExitInstance();
    // Only a folder this run made itself goes; the wizard's stays for the wizard to read.
    platform::RemoveRunFolder();
    return exitCode;
}
