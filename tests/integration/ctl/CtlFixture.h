// tarrowctl run in the test's process against simulated devices (HTTPS and SNMP on 127.0.0.n of
// a private network) and the real TarrowNetwork copied into a module folder of the test's own.
// What it prints is captured; its standard input is the test's text.
#pragma once

#include "CtlRun.h"
#include "integration/discovery/DiscoveryFixture.h"
#include "integration/discovery/SimulatedNetwork.h"
#include "support/LogCapture.h"
#include "support/ModuleFolderAt.h"

#include "common/log/ProgramLog.h"
#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "tools/simdevice/SimulatedDevice.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

namespace ctltest {

inline std::string FileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CtlTest : public discoverytest::DiscoveryFixture {
protected:
    void SetUp() override
    {
        DiscoveryFixture::SetUp();
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("LANG", "C", 1);
        const std::filesystem::path program = TARROW_NETWORK_PROGRAM;
        setenv("LD_LIBRARY_PATH", program.parent_path().c_str(), 1);
        std::filesystem::create_directories(module / "js");
        ASSERT_TRUE(UseAsRunFolder(module));
        std::filesystem::copy_file(program, module / "TarrowNetwork");
        ProgramLog().Open(kLogFilePath);
        log.emplace();
    }

    // A simulated device on 127.0.0.n (web server and SNMP agent). Call before StartAgent.
    simdevice::SimulatedDevice& AddDevice(int n, simdevice::Profile profile = simdevice::Profile::ManagedGranted,
                                          std::string model = discoverytest::kSupportedModel)
    {
        return network.AddDevice(n, profile, std::move(model));
    }
    void StartAgent() { ASSERT_TRUE(network.Start()); }

    // tarrowctl with these arguments and this standard input.
    CtlRun Run(std::vector<std::string> args, const std::string& input = "") { return RunCtl(args, input); }

    std::filesystem::path module = std::filesystem::path(platform::DriveCRoot()).parent_path() / "module";
    ModuleFolderAt moduleFolder{module};
    platform::ScopedService<platform::ISystemInfo> useModule{moduleFolder};
    SimulatedNetwork network;
    std::optional<LogCapture> log;
};

} // namespace ctltest
