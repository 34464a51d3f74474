// The discovery service against Debian's own SNMP agent configured to answer version 1 only, as
// many printers do: checks and searches find it, and its v2c silence costs nothing but the wait.
#include "integration/discovery/DiscoveryFixture.h"
#include "support/WaitFor.h"
#include "vesper/vespersdk.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace discoverytest;

namespace {

constexpr const char* kSnmpd = "/usr/sbin/snmpd";
constexpr const char* kAddress = "127.0.0.7";

// A community that only v1 requests may use; v2c requests are dropped unanswered.
constexpr const char* kConfig = R"(agentAddress udp:127.0.0.7:161
com2sec readonly default public
group v1only v1 readonly
view all included .1
access v1only "" v1 noauth exact all none none
sysName scan-07
sysDescr Norvik embedded print server
override .1.3.6.1.2.1.25.3.2.1.3.1 octet_str "Norvik Kelvane KV4250 MFP"
)";

std::string Text(int (*query)(int, char*, int, int*), int index)
{
    char buffer[256] = {};
    int length = 0;
    EXPECT_EQ(VESPER_SUCCESS, query(index, buffer, sizeof buffer - 1, &length));
    return buffer;
}

class RealSnmpdTest : public DiscoveryFixture {
protected:
    void SetUp() override
    {
        if (access(kSnmpd, X_OK) != 0)
            GTEST_SKIP() << kSnmpd << " is not installed (tools/install-deps installs it)";
        DiscoveryFixture::SetUp();
        if (HasFatalFailure())
            return;
        m_folder = std::filesystem::temp_directory_path() / ("snmpd-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_folder / "state");
        std::ofstream(m_folder / "snmpd.conf") << kConfig;
        Vesper_startup(1);
        StartAgent();
    }

    void TearDown() override
    {
        Vesper_shutdown(1);
        if (m_agent > 0) {
            kill(m_agent, SIGTERM);
            waitpid(m_agent, nullptr, 0);
        }
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

private:
    static std::string ReadLog(const std::string& path)
    {
        std::ifstream in(path);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // snmpd in the foreground, reading only our configuration and keeping its state in our folder;
    // ready once it answers a v1 check.
    void StartAgent()
    {
        const std::string config = (m_folder / "snmpd.conf").string();
        const std::string state = "SNMP_PERSISTENT_DIR=" + (m_folder / "state").string();
        const std::string log = (m_folder / "snmpd.log").string();
        m_agent = fork();
        ASSERT_GE(m_agent, 0);
        if (m_agent == 0) {
            char* const arguments[] = {const_cast<char*>(kSnmpd), const_cast<char*>("-f"), const_cast<char*>("-C"),
                                       const_cast<char*>("-c"), const_cast<char*>(config.c_str()),
                                       const_cast<char*>("-Lf"), const_cast<char*>(log.c_str()),
                                       const_cast<char*>("-I"), const_cast<char*>("-smux"), nullptr};
            char* const environment[] = {const_cast<char*>(state.c_str()), const_cast<char*>("MIBS="), nullptr};
            execve(kSnmpd, arguments, environment);
            _exit(127);
        }
        int answer = VESPER_GENERAL_ERROR;
        ASSERT_TRUE(WaitFor([&answer] { return (answer = Vesper_discoverIP(kAddress, 0, 0, 0)) == VESPER_SUCCESS; }))
            << "snmpd did not answer (last result " << answer << "); its log:\n" << ReadLog(log);
    }

    std::filesystem::path m_folder;
    pid_t m_agent = -1;
};

} // namespace

TEST_F(RealSnmpdTest, AnAgentThatAnswersOnlyVersionOneIsFoundByCheckAndSearch)
{
    ASSERT_EQ(VESPER_SUCCESS, Vesper_discoverIP(kAddress, 0, 0, 0));
    int count = 0;
    ASSERT_EQ(VESPER_SUCCESS, Vesper_getNumDiscoveredDevices(&count));
    ASSERT_EQ(1, count);
    EXPECT_EQ(kAddress, Text(Vesper_getIPAddress, 0));
    EXPECT_EQ(kSupportedModel, Text(Vesper_getModelName, 0));
    EXPECT_EQ("scan-07", Text(Vesper_getHostName, 0));

    setenv("VESPER_SCOPE", "127.0.0.1-127.0.0.20", 1);
    ASSERT_EQ(VESPER_SUCCESS, Vesper_startDiscoveringDevices(0, 0, 0, 1, 3, 4, 32));
    ASSERT_EQ(VESPER_SUCCESS, Vesper_getNumDiscoveredDevices(&count));
    ASSERT_EQ(1, count);
    EXPECT_EQ(kAddress, Text(Vesper_getIPAddress, 0));
    EXPECT_EQ(kSupportedModel, Text(Vesper_getModelName, 0));
}
