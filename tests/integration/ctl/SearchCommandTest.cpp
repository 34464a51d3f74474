// tarrowctl search, and tarrowctl check of a printer that has SNMP switched off.
#include "CtlFixture.h"

#include "ctl/ExitCodes.h"
#include "integration/discovery/PrivateAvahi.h"

using namespace ctltest;

TEST_F(CtlTest, SearchListsEachDeviceWithHowItWasFound)
{
    discoverytest::PrivateAvahi avahi;
    std::string error;
    ASSERT_TRUE(avahi.StartBus(error) && avahi.StartDaemon(error)) << error;
    setenv("VESPER_TIMEOUT_MS", "150", 1);
    setenv("VESPER_QUIET_MS", "150", 1);
    AddDevice(5);
    AddDevice(7);
    StartAgent();
    // 127.0.0.6 serves its web pages but no SNMP.
    simdevice::SimulatedDevice snmpOff(simdevice::Profile::ManagedGranted);
    snmpOff.SetModelName("Norvik Kelvane KL3100 MFP");
    ASSERT_TRUE(snmpOff.Start("127.0.0.6", 443));
    ASSERT_TRUE(avahi.PublishHost("mfp6.local", "127.0.0.6"));
    ASSERT_TRUE(avahi.PublishService("Kelvane 6", "_uscan._tcp", "mfp6.local", {"ty=Norvik Kelvane KL3100 MFP"}));
    ASSERT_TRUE(avahi.PublishHost("mfp7.local", "127.0.0.7"));
    ASSERT_TRUE(avahi.PublishService("Kelvane 7", "_ipp._tcp", "mfp7.local", {"ty=Kelvane \x1b]0;title\x07"}));
    ASSERT_TRUE(avahi.WaitUntilAnnounced(error)) << error;

    CtlRun table = Run({"search"});
    EXPECT_EQ(table.exitCode, kExitOk) << table.err;
    EXPECT_EQ(table.out, "ADDRESS    MODEL                      MAC                FOUND BY\n"
                         "127.0.0.5  Norvik Kelvane KV4250 MFP  02:00:7F:00:00:05  snmp\n"
                         "127.0.0.6  Norvik Kelvane KL3100 MFP  -                  dns-sd\n"
                         "127.0.0.7  Norvik Kelvane KV4250 MFP  02:00:7F:00:00:07  snmp,dns-sd\n");
    EXPECT_NE(table.err.find("tarrowctl: found 3 device(s)\n"), std::string::npos) << table.err;

    CtlRun json = Run({"search", "--json", "--scope", "127.0.0.6-127.0.0.6"});
    EXPECT_EQ(json.exitCode, kExitOk) << json.err;
    EXPECT_EQ(json.out, "{\"ok\":true,\"devices\":[{\"address\":\"127.0.0.6\",\"model\":\"Norvik Kelvane KL3100 MFP\","
                        "\"mac\":\"\",\"hostName\":\"mfp6.local\",\"foundBy\":[\"dns-sd\"]}]}\n");

    CtlRun none = Run({"search", "--scope", "127.0.0.50/31"});
    EXPECT_EQ(none.exitCode, kExitUnreachable);
    EXPECT_EQ(none.out, "No device was found.\n");
    EXPECT_EQ(Run({"search", "--json", "--scope=127.0.0.50/31"}).out,
              "{\"ok\":false,\"devices\":[],\"error\":{\"code\":\"unreachable\",\"exitCode\":3,\"message\":\"no device "
              "was found in 127.0.0.50/31: check that the printers are switched on and that the range holds "
              "them\"}}\n");
    for (const char* scope : {"127.0.0.0/33", "printers", "127.0.0.1-"})
        EXPECT_EQ(Run({"search", "--scope", scope}).exitCode, kExitUsage) << scope;
    EXPECT_EQ(Run({"search", "127.0.0.5"}).exitCode, kExitUsage);

    // Found by its announcement, and asked over HTTPS like any other.
    CtlRun check = Run({"check", "127.0.0.6"});
    EXPECT_EQ(check.exitCode, kExitOk) << check.err;
    EXPECT_EQ(check.out, "device:    127.0.0.6\n"
                         "model:     Norvik Kelvane KL3100 MFP\n"
                         "features:  supported (2): the device can scan to a folder\n");
    snmpOff.Stop();
}
