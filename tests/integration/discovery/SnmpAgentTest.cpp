// The simulated device's agent as a standard SNMP client sees it.
#include "integration/discovery/DiscoveryFixture.h"

#include <cstdio>

using namespace discoverytest;

namespace {

std::string Output(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(("MIBS= SNMP_PERSISTENT_DIR=\"$HOME\" " + command).c_str(), "r");
    if (!pipe)
        return output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    pclose(pipe);
    return output;
}

class SnmpAgentTest : public DiscoveryFixture {};

} // namespace

TEST_F(SnmpAgentTest, AnswersTheNetSnmpTools)
{
    simdevice::SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5), TestDevice(6)}));

    EXPECT_EQ(".1.3.6.1.2.1.1.5.0 \"kelvane-5\"\n"
              ".1.3.6.1.2.1.25.3.2.1.3.1 \"Norvik Kelvane KV4250 MFP\"\n",
              Output("snmpget -v2c -c public -On -Oq -t 1 -r 0 127.0.0.5 1.3.6.1.2.1.1.5.0 1.3.6.1.2.1.25.3.2.1.3.1 2>/dev/null"));
    EXPECT_EQ(".1.3.6.1.2.1.1.1.0 \"Norvik embedded print server\"\n"
              ".1.3.6.1.2.1.1.5.0 \"kelvane-6\"\n"
              ".1.3.6.1.2.1.2.2.1.6.1 \"\"\n"
              ".1.3.6.1.2.1.2.2.1.6.2 \"02 00 7F 00 00 06 \"\n"
              ".1.3.6.1.2.1.25.3.2.1.3.1 \"Norvik Kelvane KV4250 MFP\"\n"
              ".1.3.6.1.2.1.25.3.2.1.3.1 No more variables left in this MIB View (It is past the end of the MIB tree)\n",
              Output("snmpwalk -v2c -c public -On -Oq -t 1 -r 0 127.0.0.6 .1 2>/dev/null"));
    // Another community gets no answer at all.
    EXPECT_NE(std::string::npos,
              Output("snmpget -v2c -c private -t 0.2 -r 0 127.0.0.5 1.3.6.1.2.1.1.5.0 2>&1").find("Timeout"));
}
