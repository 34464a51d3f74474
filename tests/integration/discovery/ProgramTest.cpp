// TarrowNetwork as Tarrow runs it: command line, exit code, settings data file and log.
#include "integration/discovery/NetworkFixture.h"
#include "support/WaitFor.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

using namespace discoverytest;
using simdevice::SnmpAgent;

namespace {

using Lines = std::vector<std::string>;

class ProgramTest : public NetworkFixture {
protected:
    void SetUp() override
    {
        NetworkFixture::SetUp();
        // A copy of the program in the test's own module folder, so that its data file is the
        // test's; its libraries stay in the build's folder.
        const std::filesystem::path program = TARROW_NETWORK_PROGRAM;
        std::filesystem::copy_file(program, module.folder / "TarrowNetwork");
        libraries = program.parent_path().string();
    }

    void TearDown() override
    {
        if (device > 0) {
            kill(device, SIGTERM);
            int status = 0;
            waitpid(device, &status, 0);
        }
        NetworkFixture::TearDown();
    }

    // Runs the program with the arguments (shell syntax) and without a display, so that list mode
    // searches without its pages; returns its exit code.
    int Run(const std::string& arguments)
    {
        std::string command = "cd '" + module.folder.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY LD_LIBRARY_PATH='"
                              + libraries + "' ./TarrowNetwork " + arguments + " >stdout.txt 2>stderr.txt";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string ErrorOutput() const { return FileBytes(module.folder / "stderr.txt"); }

    std::string libraries;
    pid_t device = 0;  // a simulated device program, ended in TearDown
};

} // namespace

TEST_F(ProgramTest, IPAddressFoundWritesTheDataFile)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5)}));

    EXPECT_EQ(0, Run("-x 10 -y 20 -ipaddress \"127.0.0.5\""));
    EXPECT_EQ(SettingsFile({{u"PrinterModelName", u"Norvik Kelvane KV4250 MFP"}, {u"PrinterAccessError", u"FALSE"}}),
              FileBytes(DataFilePath()));
    const std::string folder = module.folder.string();
    EXPECT_EQ((Lines{"", "Starting TarrowNetwork.exe.", "HTML " + folder,
                     "QuilletNetwork Command Line Arguments: -x 10 -y 20 -ipaddress 127.0.0.5",
                     "Calling Vesper_ValidateIPAddress(127.0.0.5).", "Vesper_isValidIPAddress(127.0.0.5) returns 0",
                     "Valid IP Address Passed.", "127.0.0.5 Network IP Found.", "Model Name Access Successful.",
                     std::string("Model Name Obtained from Printer :") + kSupportedModel, "IP Validated Successfully",
                     "Creating Data File : " + folder + "/tarrow.data ... Success.", "Finishing TarrowNetwork.exe.",
                     ""}),
              log->Lines());
}

TEST_F(ProgramTest, FailedCheckKeepsAnOlderDataFile)
{
    std::ofstream(DataFilePath()) << "older";
    EXPECT_EQ(1, Run("-ipaddress 127.0.0.256"));
    EXPECT_EQ("older", FileBytes(DataFilePath()));
    EXPECT_EQ("Error: Invalid IP Address. Please enter valid IP Address.\n", ErrorOutput());
    EXPECT_TRUE(log->HasLine("IP Address is not valid or not in network"));
}

TEST_F(ProgramTest, HostNameAndMACAddressHandBackTheIPAddress)
{
    std::string error;
    ASSERT_TRUE(UsePrivateHostsFile("127.0.0.9 scanner.office.example\n", error)) << error;
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(9), TestDevice(14, "Norvik Kelvane KL3100 MFP")}));

    EXPECT_EQ(0, Run("-hostname scanner.office.example -macaddress 02:00:7F:00:00:0E"));
    EXPECT_EQ(SettingsFile({{u"PrinterModelName", u"Norvik Kelvane KV4250 MFP"},
                        {u"PrinterAccessError", u"FALSE"},
                        {u"IPAddressFromHost", u"127.0.0.9"}}),
              FileBytes(DataFilePath()));
    EXPECT_TRUE(log->HasLine("Hostname Successfully Validated."));

    EXPECT_EQ(0, Run("-macaddress 02:00:7f:00:00:0e"));
    EXPECT_EQ(SettingsFile({{u"PrinterModelName", u"Norvik Kelvane KL3100 MFP"},
                        {u"PrinterAccessError", u"FALSE"},
                        {u"IPAddressFromMAC", u"127.0.0.14"}}),
              FileBytes(DataFilePath()));
    EXPECT_TRUE(log->HasLine("MAC Address Successfully Validated."));
}

TEST_F(ProgramTest, ListModeWritesTheDeviceListAndNoDataFile)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5), TestDevice(6, kUnsupportedModel)}));

    // Switch names keep their case: a capitalised address switch means a search.
    EXPECT_EQ(0, Run("-IPADDRESS 127.0.0.5"));
    EXPECT_TRUE(log->HasLine("Network Discovery of device model"));
    EXPECT_TRUE(log->HasLine("No page window could be made: searching without the pages."));
    EXPECT_TRUE(log->HasLine("Number Of Discovered  Devices: 2"));
    EXPECT_NE(std::string::npos, FileBytes(DeviceListPath()).find(std::string("v\0a\0r\0 \0d\0e\0v\0i\0c\0e\0C\0o\0u\0n\0t\0=\0001\0", 34)));
    EXPECT_FALSE(std::filesystem::exists(DataFilePath()));

    // A list that cannot be written is no answer.
    std::filesystem::remove_all(module.folder / "js");
    EXPECT_EQ(2, Run(""));
    EXPECT_TRUE(log->HasLine("SaveDiscoveredDevices() couldn't open NtwkDevList.js for appending."));
}

// A folder in the data file's place is no data file: its keys cannot be written, which is logged,
// and the run ends with the data file's failure rather than the check's success.
TEST_F(ProgramTest, ADataFileThatIsAFolderTakesTheCannotBeOpenedPath)
{
    SnmpAgent agent;
    ASSERT_NO_FATAL_FAILURE(Serve(agent, {TestDevice(5)}));
    std::filesystem::create_directory(DataFilePath());
    EXPECT_EQ(2, Run("-macaddress 02:00:7F:00:00:05"));
    EXPECT_TRUE(log->HasLine("Network: CWriteXML::WriteElement(): ERROR :Unable to open settings file."));
    EXPECT_TRUE(std::filesystem::is_directory(DataFilePath()));
}

TEST_F(ProgramTest, AgainstTheSimulatedDeviceProgram)
{
    // The demo's set-up: the device's web server and its SNMP agent in a process of their own,
    // here answering SNMP v1 only, as many printers do.
    const char* argv[] = {SIMDEVICE_PROGRAM, "--address", "127.0.0.5", "--snmp", "--snmp-device", "127.0.0.6",
                          "--snmp-version", "1", nullptr};
    ASSERT_EQ(0, posix_spawn(&device, SIMDEVICE_PROGRAM, nullptr, nullptr, const_cast<char**>(argv), environ));
    ASSERT_TRUE(WaitFor([] {
        int count = 0;
        return Vesper_discoverIP("127.0.0.6", 0, 0, 0) == VESPER_SUCCESS
               && Vesper_getNumDiscoveredDevices(&count) == VESPER_SUCCESS && count == 1;
    })) << "the simulated device did not come up";

    EXPECT_EQ(0, Run("-ipaddress \"127.0.0.5\""));
    EXPECT_EQ(SettingsFile({{u"PrinterModelName", u"Norvik Kelvane KV4250 MFP"}, {u"PrinterAccessError", u"FALSE"}}),
              FileBytes(DataFilePath()));
    EXPECT_EQ(0, Run("-macaddress 02:00:7F:00:00:06"));
    EXPECT_EQ(SettingsFile({{u"PrinterModelName", u"Norvik Kelvane KV4250 MFP"},
                        {u"PrinterAccessError", u"FALSE"},
                        {u"IPAddressFromMAC", u"127.0.0.6"}}),
              FileBytes(DataFilePath()));
    EXPECT_EQ(0, Run(""));
    EXPECT_TRUE(log->HasLine("Number Of Discovered  Devices: 2"));
}
