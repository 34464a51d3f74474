// The application's run: mode choice from the command line, window position, exit codes and the
// hand-over to the discovery pages.
#include "integration/discovery/NetworkFixture.h"
#include "network/CQuilletNetworkApp.h"

using namespace discoverytest;

namespace {

class AppTest : public NetworkFixture {
protected:
    // Runs the application; returns its exit code.
    int Run(const char16_t* commandLine)
    {
        CQuilletNetworkApp app(state, dataFile, [this](NetworkState& pageState, CWriteXML& pageData) {
            ++pagesShown;
            pagesAt = {pageState.posX, pageState.posY};
            if (onPages)
                onPages(pageState, pageData);
        });
        EXPECT_TRUE(app.InitInstance(commandLine));
        runMode = app.RunMode().ToUtf8();
        int exitCode = app.ExitInstance();
        EXPECT_EQ(exitCode, app.ResultCode());
        return exitCode;
    }

    int pagesShown = 0;
    std::pair<int, int> pagesAt;
    std::function<void(NetworkState&, CWriteXML&)> onPages;
    std::string runMode;
};

} // namespace

TEST_F(AppTest, NoArgumentsSearchWithPagesAtTheOrigin)
{
    EXPECT_EQ(0, Run(u""));
    EXPECT_EQ("NetworkDiscovery", runMode);
    EXPECT_EQ(1, pagesShown);
    EXPECT_EQ(std::make_pair(0, 0), pagesAt);
    EXPECT_TRUE(log->HasLine("Network Discovery of device model"));
    EXPECT_FALSE(std::filesystem::exists(DataFilePath()));  // nothing stored, nothing written
    EXPECT_EQ("ENWW", state.languageCode.ToUtf8());
    EXPECT_EQ((std::vector<std::string>{"Startup(1)", "Shutdown(1)"}), discovery.asked);
}

TEST_F(AppTest, PagesOpenAtThePositionGiven)
{
    EXPECT_EQ(0, Run(u"-x 120 -y 80 -admin"));
    EXPECT_EQ(std::make_pair(120, 80), pagesAt);
    EXPECT_EQ(0, Run(u"-x 12abc -y abc"));
    EXPECT_EQ(std::make_pair(12, 0), pagesAt);
    EXPECT_EQ(0, Run(u"-x \" -7\""));
    EXPECT_EQ(-7, pagesAt.first);
}

TEST_F(AppTest, FirstAddressSwitchDecides)
{
    setenv("VESPER_TIMEOUT_MS", "10", 1);
    EXPECT_EQ(1, Run(u"-ipaddress 127.0.0.99 -hostname printer.example"));
    EXPECT_EQ("IPAddress", runMode);
    EXPECT_TRUE(log->HasLine("Calling Vesper_ValidateIPAddress(127.0.0.99)."));
    EXPECT_FALSE(log->Contains("printer.example)"));
    EXPECT_EQ(0, pagesShown);

    // A switch without its value still chooses the mode; the empty name is then invalid.
    EXPECT_EQ(1, Run(u"-hostname -macaddress 02:00:7F:00:00:05"));
    EXPECT_EQ("HostName", runMode);
    EXPECT_TRUE(log->HasLine("Vesper_isValidIPHostname() returns 8"));
    EXPECT_TRUE(log->HasLine("Hostname Validation Failed."));
    EXPECT_FALSE(std::filesystem::exists(DataFilePath()));
}

TEST_F(AppTest, WhatThePagesStoreIsWrittenAndCancelFailsTheRun)
{
    onPages = [](NetworkState&, CWriteXML& pageData) { pageData.SetValue(u"SelectionStatus", u"0"); };
    EXPECT_EQ(0, Run(u"-x 1 -y 2"));
    EXPECT_EQ(Utf16File(u"<?xml version=\"1.0\" encoding=\"utf-16\"?>\n<tarrow>\n\t<settings>\n"
                        u"\t\t<SelectionStatus>\n\t\t\t0\n\t\t</SelectionStatus>\n\t</settings>\n</tarrow>\n"),
              FileBytes(DataFilePath()));

    onPages = [](NetworkState& pageState, CWriteXML&) { pageState.exitCode = 1; };
    EXPECT_EQ(1, Run(u""));
}

TEST_F(AppTest, TheUsersLanguageIsTakenWhereItsPagesExist)
{
    setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_EQ(0, Run(u""));
    EXPECT_EQ("ENWW", state.languageCode.ToUtf8());
    std::filesystem::create_directories(module.folder / "DEWW");
    EXPECT_EQ(0, Run(u""));
    EXPECT_EQ("DEWW", state.languageCode.ToUtf8());
}

// A MAC address is looked for six times, with a wait between two searches.
TEST_F(AppTest, AMacAddressThatIsNotFoundFailsAfterFiveWaits)
{
    setenv("VESPER_TIMEOUT_MS", "10", 1);
    setenv("VESPER_QUIET_MS", "10", 1);
    EXPECT_EQ(1, Run(u"-macaddress 02:00:7F:00:00:99"));
    EXPECT_EQ("MACAddress", runMode);
    EXPECT_EQ(std::vector<unsigned>(5, 3000), sleeper.waits);
    EXPECT_TRUE(log->HasLine("MAC Address Validation Failed."));
    EXPECT_FALSE(log->HasLine("MAC Address Successfully Validated."));
}
