// The port of this computer's Samba server, from the configuration the platform uses.
#include "platform/core/Services.h"
#include "platform/core/RunProgram.h"
#include "platform/shares/SambaConfig.h"
#include "platform/shares/SambaPort.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

class ScriptedTestparm : public platform::IProgramRunner {
public:
    ScriptedTestparm() : m_use(*this) {}
    platform::ProgramResult Run(const std::vector<std::string>& arguments, const std::string& /*input*/,
                                platform::RunOptions) override
    {
        runs.push_back(arguments);
        return result;
    }
    platform::ProgramResult result{true, false, 0, ""};
    std::vector<std::vector<std::string>> runs;

private:
    platform::ScopedService<platform::IProgramRunner> m_use;
};

struct PortCase {
    const char* name;
    int exitCode;
    std::string output;
    int port;
};
void PrintTo(const PortCase& c, std::ostream* out) { *out << c.name; }

class SambaPort : public ::testing::TestWithParam<PortCase> {};

TEST_P(SambaPort, IsTheFirstPortThatTestparmReads)
{
    setenv(platform::kSambaConfigVariable, "/tmp/private/smb.conf", 1);
    ScriptedTestparm testparm;
    testparm.result.exitCode = GetParam().exitCode;
    testparm.result.output = GetParam().output;
    EXPECT_EQ(platform::SambaServerPort(), GetParam().port);
    // Asked again, the configuration that did not change is not read again.
    EXPECT_EQ(platform::SambaServerPort(), GetParam().port);
    ASSERT_EQ(testparm.runs.size(), 1u);
    EXPECT_EQ(testparm.runs[0], (std::vector<std::string>{"/usr/bin/testparm", "-s", "-v", "/tmp/private/smb.conf"}));
    unsetenv(platform::kSambaConfigVariable);
}

const std::string kPreamble = "Load smb config files from /tmp/private/smb.conf\nLoaded services file OK.\n\n"
                              "# Global parameters\n[global]\n\tserver role = standalone server\n\tsmb ports = ";

INSTANTIATE_TEST_SUITE_P(Credentials, SambaPort, ::testing::Values(
    PortCase{"TwoPorts", 0, kPreamble + "1445 139\n", 1445},
    PortCase{"OnePortWithoutLineEnd", 0, kPreamble + "10445", 10445},
    PortCase{"CommaSeparated", 0, kPreamble + "2445,139\n", 2445},
    PortCase{"UnreadableFile", 1, "Load smb config files from /tmp/private/smb.conf\nError loading services.\n", 445},
    PortCase{"NoNumber", 0, kPreamble + "smb\n", 445},
    PortCase{"NumberWithTail", 0, kPreamble + "1445x\n", 445},
    PortCase{"TabSeparated", 0, kPreamble + "1445\t139\n", 1445},
    PortCase{"BlanksBefore", 0, kPreamble + " \t1445\n", 1445},
    PortCase{"Zero", 0, kPreamble + "0\n", 445},
    PortCase{"HighestPort", 0, kPreamble + "65535\n", 65535},
    PortCase{"OneAboveTheHighest", 0, kPreamble + "65536\n", 445},
    PortCase{"TooLarge", 0, kPreamble + "70000\n", 445},
    PortCase{"Empty", 0, "", 445},
    PortCase{"InAnotherSection", 0, "[global]\n\tserver role = standalone server\n[homes]\n\tsmb ports = 1445\n", 445}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SambaPortOfAFile, IsReadByTheRealTestparm)
{
    std::filesystem::path config = std::filesystem::temp_directory_path() / ("tarrow-port-" + std::to_string(getpid()));
    std::ofstream(config) << "[global]\n  smb ports = 1445 139\n";
    setenv(platform::kSambaConfigVariable, config.c_str(), 1);
    EXPECT_EQ(platform::SambaServerPort(), 1445);
    unsetenv(platform::kSambaConfigVariable);
    std::filesystem::remove(config);
}

} // namespace
