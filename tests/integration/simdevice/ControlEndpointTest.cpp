// Scans started over HTTPS: tarrow-simscan posts to the running device's control endpoint,
// which scans into the private smbd's share; the reply line and exit status tell the result.
#include "integration/simdevice/DevicePost.h"
#include "integration/simdevice/LibraryPayloads.h"
#include "integration/simdevice/ScanFixture.h"

#include "platform/core/RunProgram.h"

#include <csignal>
#include <curl/curl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace scantest;

namespace {

struct HttpReply {
    long status = 0;
    std::string body;
};

std::size_t Append(char* data, std::size_t size, std::size_t count, void* body)
{
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

// A request to the device with postFields URL-encoded as the body, or a GET when there are none.
HttpReply Request(const std::string& address, const std::string& path, const char* postFields)
{
    HttpReply reply;
    CURL* curl = curl_easy_init();
    const std::string url = "https://" + address + path;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    if (postFields)
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, postFields);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, 30000L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Append);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply.body);
    EXPECT_EQ(curl_easy_perform(curl), CURLE_OK);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    curl_easy_cleanup(curl);
    return reply;
}

// tarrow-simdevice running in the background until the end of the test.
class RunningDevice {
public:
    explicit RunningDevice(std::vector<std::string> args)
    {
        args.insert(args.begin(), SIMDEVICE_PROGRAM);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        int fds[2];
        if (pipe(fds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        output_ = fds[0];
    }
    ~RunningDevice()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (output_ >= 0)
            close(output_);
    }
    RunningDevice(const RunningDevice&) = delete;
    RunningDevice& operator=(const RunningDevice&) = delete;

    // "HOST:PORT" from the program's first line, "listening on HOST:PORT"; empty when it did not say.
    std::string Address() const
    {
        std::string line;
        char c = 0;
        pollfd ready{output_, POLLIN, 0};
        while (poll(&ready, 1, 10000) == 1 && read(output_, &c, 1) == 1 && c != '\n')
            line += c;
        const std::string prefix = "listening on ";
        return line.rfind(prefix, 0) == 0 ? line.substr(prefix.size()) : std::string();
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

class ControlTest : public ScanTest {
protected:
    void SetUp() override
    {
        ScanTest::SetUp();
        ASSERT_TRUE(device.Start("127.0.0.2", 0));
        address = "127.0.0.2:" + std::to_string(device.Port());
    }

    platform::ProgramResult SimScan(std::vector<std::string> args, const std::string& input = {}) const
    {
        args.insert(args.begin(), SIMSCAN_PROGRAM);
        return platform::RunProgram(args, input, 60000);
    }

    std::string address;
};

} // namespace

TEST_F(ControlTest, AScanToAStoredAccountEntryPrintsTheFileNameAndExitsZero)
{
    device.AddFolder(StoredAccountEntry("Scans"));
    const platform::ProgramResult run = SimScan({"--device", address, "--folder", "Scans"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "OK Scan_0001.pdf\n");
    EXPECT_EQ(OwnedFile("Scan_0001.pdf").substr(0, 9), "%PDF-1.4\n");
    // Control requests are not what the device received from the library.
    EXPECT_TRUE(device.Requests().empty());
}

TEST_F(ControlTest, TheAccountOfASignInEntryComesWithThePasswordFromStandardInput)
{
    device.AddFolder(SignInEntry("Desk & Co", "JPEG"));
    const platform::ProgramResult run = SimScan(
        {"--device", address, "--folder", "Desk & Co", "--user", account.name, "--domain", "TARROWTEST",
         "--password-stdin"},
        account.password + "\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "OK Scan_0001.jpg\n");
    EXPECT_EQ(OwnedFile("Scan_0001.jpg").substr(0, 3), "\xFF\xD8\xFF");
}

TEST_F(ControlTest, AWrongPasswordPrintsTheLogonFailureExitsOneAndWritesNothing)
{
    device.AddFolder(SignInEntry("Desk", "PDF"));
    const std::string wrong = "Wrong-" + account.password;
    const platform::ProgramResult run = SimScan(
        {"--device", address, "--folder", "Desk", "--user", account.name, "--password-stdin"}, wrong + "\r\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "FAILED NT_STATUS_LOGON_FAILURE\n");
    EXPECT_TRUE(Listing().empty());
}

TEST_F(ControlTest, AnUnknownEntryOrHostPrintsTheFailureAndExitsOne)
{
    simdevice::Folder entry = StoredAccountEntry("Far");
    entry.path = "\\\\FARPC\\scans";
    device.AddFolder(entry);
    platform::ProgramResult run = SimScan({"--device", address, "--folder", "Near"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "FAILED FOLDER_ENTRY_NOT_FOUND\n");
    run = SimScan({"--device", address, "--folder", "Far"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "FAILED NT_STATUS_BAD_NETWORK_NAME\n");
    EXPECT_TRUE(Listing().empty());
}

TEST_F(ControlTest, NoDeviceListeningExitsThree)
{
    const std::string stopped = address;
    device.Stop();
    const platform::ProgramResult run = SimScan({"--device", stopped, "--folder", "Scans"});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.output.rfind("tarrow-simscan: no answer from " + stopped + ": ", 0), 0u) << run.output;
}

TEST_F(ControlTest, BadUsageExitsTwoWithoutContactingAnyone)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--device", address},
             {"--folder", "Scans"},
             {"--device", "192.0.2.1", "--folder", "Scans"},
             {"--device", "127.0.0.2:0", "--folder", "Scans"},
             {"--device", address, "--folder", "Scans", "--password", "x"},
         }) {
        const platform::ProgramResult run = SimScan(args);
        EXPECT_EQ(run.exitCode, 2) << args.back();
        EXPECT_EQ(run.output.rfind("tarrow-simscan: ", 0), 0u) << run.output;
        EXPECT_NE(run.output.find("\nusage: tarrow-simscan --device HOST[:PORT] --folder NAME"), std::string::npos);
    }
    EXPECT_TRUE(Listing().empty());
}

TEST_F(ControlTest, TheEndpointAnswersPostsOnlyAndNeedsAFolder)
{
    device.AddFolder(StoredAccountEntry("Scans"));
    HttpReply reply = Request(address, "/control/scan", nullptr);
    EXPECT_EQ(reply.status, 405);
    EXPECT_EQ(reply.body, "FAILED METHOD_NOT_ALLOWED\n");
    reply = Request(address, "/control/scan", "user=x");
    EXPECT_EQ(reply.status, 400);
    EXPECT_EQ(reply.body, "FAILED MISSING_FOLDER\n");
    reply = Request(address, "/control/print", "folder=Scans");
    EXPECT_EQ(reply.status, 404);
    EXPECT_EQ(reply.body, "FAILED NO_SUCH_CONTROL\n");
    EXPECT_TRUE(Listing().empty());
    // The device's profile governs its web pages, not the control endpoint.
    device.SetProfile(simdevice::Profile::PasswordProtected);
    reply = Request(address, "/control/scan", "folder=Scans");
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, "OK Scan_0001.pdf\n");
    EXPECT_TRUE(device.Requests().empty());
}

TEST_F(ControlTest, TheProgramTakesItsNameTableAndSmbPortFromTheCommandLine)
{
    // Its sample entries: Scans1 (\\WORKSTATION1\Scans1, stored account scanner1, no such
    // account here) and Scans2 (\\WORKSTATION2\Scans2, the user signs in).
    ASSERT_TRUE(samba.AddShareAs(account, "Scans2", folder, kShareAcl));
    const std::vector<std::string> common{"--address", "127.0.0.3:0", "--folders", "2"};
    {
        std::vector<std::string> args = common;
        args.insert(args.end(), {"--name", "WORKSTATION1=127.0.0.1", "--name", "workstation2=127.0.0.1"});
        RunningDevice program(args);
        const std::string at = program.Address();
        ASSERT_NE(at, "");
        // Debian's Samba lets the unknown account in as a guest, and finds no share Scans1.
        platform::ProgramResult run = SimScan({"--device", at, "--folder", "Scans1"});
        EXPECT_EQ(run.output, "FAILED NT_STATUS_BAD_NETWORK_NAME\n");
        run = SimScan({"--device", at, "--folder", "Scans2", "--user", account.name, "--password-stdin"},
                      account.password);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.output, "OK Scan_0001.pdf\n");
        // The folder-path check finds the host as the scans do.
        EXPECT_NE(PostXml(at, payloads::IsFolderPathValid("WORKSTATION2", "Scans2", account.name, account.password))
                      .body.find("FolderPathReturnCode=\"ValidPath\""),
                  std::string::npos);
    }
    std::vector<std::string> args = common;
    args.insert(args.end(), {"--name", "WORKSTATION2=127.0.0.1", "--smb-port", "1"});
    RunningDevice program(args);
    const std::string at = program.Address();
    ASSERT_NE(at, "");
    platform::ProgramResult run = SimScan({"--device", at, "--folder", "Scans1"});
    EXPECT_EQ(run.output, "FAILED NT_STATUS_BAD_NETWORK_NAME\n");
    run = SimScan({"--device", at, "--folder", "Scans2", "--user", account.name, "--password-stdin"}, account.password);
    EXPECT_EQ(run.output, "FAILED NT_STATUS_CONNECTION_REFUSED\n");
    EXPECT_NE(PostXml(at, payloads::IsFolderPathValid("WORKSTATION2", "Scans2", account.name, account.password))
                  .body.find("FolderPathReturnCode=\"NT_STATUS_CONNECTION_REFUSED\""),
              std::string::npos);
    EXPECT_EQ(Listing(), std::set<std::string>{"Scan_0001.pdf"});
}
