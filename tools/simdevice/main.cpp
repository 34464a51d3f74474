// tarrow-simdevice: the simulated device as a program of its own, for the demo and for tests
// that run the product's programs against it.
#include "tools/simdevice/ProgramOptions.h"
#include "tools/simdevice/SampleFolders.h"
#include "tools/simdevice/SimulatedDevice.h"
#include "tools/simdevice/snmp/SnmpProgramOptions.h"

#include <csignal>
#include <iostream>
#include <pthread.h>

using namespace simdevice;

int main(int argc, char** argv)
{
    ProgramOptions options;
    std::string error;
    std::vector<std::string> args(argv + 1, argv + argc);
    SnmpProgramOptions snmpOptions;  // the SNMP agents' options, taken out before the others
    if (!TakeSnmpOptions(args, snmpOptions, error) || !ParseOptions(args, options, error)) {
        std::cerr << "tarrow-simdevice: " << error << "\n" << UsageText() << SnmpUsageText();
        return 2;
    }
    if (options.help) {
        std::cout << UsageText() << SnmpUsageText();
        return 0;
    }

    // Blocked before any thread starts, so that only sigwait below sees the stop signals.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    SimulatedDevice device(options.profile);
    if (options.modelName)
        device.SetModelName(*options.modelName);
    for (Folder& folder : SampleFolders(options.folders))
        device.AddFolder(std::move(folder));
    device.SetNameTable(options.names);
    device.SetSmbPort(options.smbPort);

    if (!device.Start(options.host, options.port)) {
        std::cerr << "tarrow-simdevice: cannot listen on " << options.host << ":" << options.port << "\n";
        return 1;
    }
    std::cout << "listening on " << options.host << ":" << device.Port() << std::endl;

    SnmpAgent snmpAgent("public", snmpOptions.port);
    if (!StartSnmpAgents(snmpAgent, snmpOptions, options.host, device.ModelName(), error)) {
        std::cerr << "tarrow-simdevice: " << error << "\n";
        device.Stop();
        return 1;
    }

    int signal = 0;
    sigwait(&stopSignals, &signal);
    device.Stop();
    return 0;
}
