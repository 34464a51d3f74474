// tarrowctl add against a simulated device and a private smbd: the same set-up as the wizard's,
// and on every failure a clear message, its exit code, and nothing made that the message hides.
#include "CtlFixture.h"

#include "ctl/ExitCodes.h"
#include "support/AclReadBack.h"
#include "support/SambaFixture.h"

#include "library/Quillet_Library.h"
#include "platform/core/RunProgram.h"
#include "platform/shares/Shares.h"

#include <pwd.h>
#include <sys/stat.h>

using namespace ctltest;

namespace {

namespace fs = std::filesystem;

class AddCommandTest : public CtlTest {
protected:
    void SetUp() override
    {
        CtlTest::SetUp();
        ASSERT_TRUE(samba.IsReady());
        ASSERT_TRUE(samba.StartServer());
        account = samba.AddAccount();
        ASSERT_FALSE(account.name.empty());
        device = &AddDevice(5);
        StartAgent();
        ASSERT_TRUE(platform::ISystemInfo::Default().GetComputerName(computer));
        folder = platform::DriveCRoot() + "/Scans/Reports";
    }

    CtlRun Add(std::vector<std::string> extra, const std::string& input)
    {
        std::vector<std::string> args = {"add", "127.0.0.5", "--location", "C:\\Scans", "--user", account.name};
        args.insert(args.end(), extra.begin(), extra.end());
        return Run(args, input);
    }

    // getfacl of every folder above the scan folder.
    std::string ParentAcls() const
    {
        std::string text;
        for (fs::path at = fs::path(folder).parent_path();; at = at.parent_path()) {
            text += platform::RunProgram({"/usr/bin/getfacl", "-p", at.string()}).output;
            if (at == at.root_path())
                return text;
        }
    }

    // Nothing of a failed set-up of the name is left: folder, share, record, rights above.
    void ExpectNothingLeft(const std::string& name, const std::string& aclsBefore)
    {
        EXPECT_FALSE(fs::exists(platform::DriveCRoot() + "/Scans/" + name)) << name;
        EXPECT_EQ(samba.ShareInfo(name), "") << name;
        EXPECT_EQ(ParentAcls(), aclsBefore) << name;
        EXPECT_TRUE(fs::is_empty(std::string(std::getenv("XDG_STATE_HOME")) + "/tarrow/shares")) << name;
    }

    SambaFixture samba;
    SambaFixture::Account account;
    simdevice::SimulatedDevice* device = nullptr;
    CString computer;
    std::string folder;
};

} // namespace

TEST_F(AddCommandTest, SetsUpTheFolderShareAndRecordAndTheShareTakesAFile)
{
    CtlRun run = Add({"--name", "Reports", "--shortcut", "--password-stdin", "--format", "jpeg", "--resolution", "300",
                      "--color", "bw", "--size", "large"},
                     account.password + "\n");
    ASSERT_EQ(run.exitCode, kExitOk) << run.err;
    const std::string unc = "\\\\" + computer.ToUtf8() + "\\Reports";
    EXPECT_EQ(run.out, "Scan folder Reports set up: " + folder + ", shared as " + unc +
                           ", registered on the device at 127.0.0.5 with the account " + account.name + ".\n");
    for (const char* step : {"tarrowctl: checking the password of ", "tarrowctl: making the folder, its rights",
                             "tarrowctl: registering the folder on the device"})
        EXPECT_NE(run.err.find(step), std::string::npos) << step;

    passwd* entry = getpwnam(account.name.c_str());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(UserAclEntry(folder, entry->pw_uid), "rwx");
    EXPECT_EQ(AclEntry(folder, ACL_OTHER), "---");
    const std::string scan = samba.Root() + "/page.jpg";
    std::ofstream(scan) << "\xFF\xD8 a page \xFF\xD9";
    auto put = samba.Client("Reports", account, "put " + scan + " page.jpg");
    EXPECT_EQ(put.exitCode, 0) << put.output;
    EXPECT_EQ(FileText(folder + "/page.jpg"), "\xFF\xD8 a page \xFF\xD9");
    EXPECT_TRUE(fs::exists(std::string(std::getenv("HOME")) + "/Desktop/Reports.desktop"));

    auto folders = device->Folders();
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0].path, unc);
    EXPECT_EQ(folders[0].userName, account.name);
    EXPECT_EQ(folders[0].password, account.password);
    EXPECT_EQ(folders[0].authType, "DEFAULT_USER_CREDENTIALS");
    EXPECT_EQ(folders[0].fileFormat, "JPEG");
    EXPECT_EQ(folders[0].resolution, "300x300");
    EXPECT_EQ(folders[0].color, "Black_White");
    EXPECT_EQ(folders[0].fileSize, "DS_FILESIZE_LARGE");
    EXPECT_FALSE(log->Contains(account.password));
    EXPECT_EQ(run.err.find(account.password), std::string::npos);

    // The device's scan arrives as the account, through the share that tarrowctl made.
    device->SetNameTable({{computer.ToUtf8(), "127.0.0.1"}});
    simdevice::ScanResult scanned = device->Scan({"Reports", "", "", ""});
    ASSERT_TRUE(scanned.ok) << scanned.status;
    EXPECT_EQ(scanned.fileName, "Scan_0001.jpg");
    struct stat info {};
    ASSERT_EQ(stat((folder + "/Scan_0001.jpg").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, entry->pw_uid);
}

TEST_F(AddCommandTest, ProposesAFreeNameAndTheWizardsDefaultsWhenNoneIsGiven)
{
    CtlRun run = Add({"--ask-at-device"}, "");
    ASSERT_EQ(run.exitCode, kExitOk) << run.err;
    const std::string proposed = computer.ToUtf8() + "_KV4250";
    EXPECT_TRUE(fs::is_directory(platform::DriveCRoot() + "/Scans/" + proposed)) << run.out;
    auto folders = device->Folders();
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0].name, proposed);
    EXPECT_EQ(folders[0].authType, "MFP_USER_CREDENTIALS");

    // Whoever scans signs in at the device: without an account nothing is written, with the
    // account the page arrives.
    device->SetNameTable({{computer.ToUtf8(), "127.0.0.1"}});
    EXPECT_EQ(device->Scan({proposed, "", "", ""}).status, "SIGN_IN_REQUIRED");
    simdevice::ScanResult scanned = device->Scan({proposed, account.name, account.password, ""});
    EXPECT_TRUE(scanned.ok) << scanned.status;
    EXPECT_EQ(scanned.fileName, "Scan_0001.pdf");
    EXPECT_EQ(folders[0].password, "");
    EXPECT_EQ(folders[0].fileFormat, "PDF");
    EXPECT_EQ(folders[0].resolution, "150x150");
    EXPECT_EQ(folders[0].color, "Color");
    EXPECT_EQ(folders[0].fileSize, "DS_FILESIZE_STANDARD");
}

TEST_F(AddCommandTest, AWrongPasswordExitsWithFiveAndMakesNothing)
{
    CtlRun run = Add({"--name", "Reports", "--password-stdin"}, "not the password\n");
    EXPECT_EQ(run.exitCode, kExitLogonRefused);
    EXPECT_NE(run.err.find("tarrowctl: error: this computer refused the password of " + account.name +
                           ".\nFix: give the account's Samba password (it is set with: sudo smbpasswd -a " +
                           account.name + ")\n"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(log->HasLine("LogonUser() has failed with error code : 1326"));
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(samba.ShareAcl("Reports"), "");
    EXPECT_TRUE(device->Folders().empty());
    EXPECT_FALSE(log->Contains("not the password"));
}

TEST_F(AddCommandTest, AnEmptyOrMissingPasswordIsAUsageError)
{
    EXPECT_EQ(Add({"--password-stdin"}, "\n").exitCode, kExitUsage);
    CtlRun none = Add({"--password-stdin"}, "");
    EXPECT_EQ(none.exitCode, kExitUsage);
    EXPECT_EQ(none.err, "tarrowctl add: no password on standard input\nTry 'tarrowctl add --help'.\n");
    EXPECT_TRUE(device->Folders().empty());
}

TEST_F(AddCommandTest, ANameInUseOrNotAllowedIsRefused)
{
    // The device's names are compared with the name in capitals, as the library does.
    device->AddFolder({"TAKEN", "\\\\ELSEWHERE\\TAKEN", "", "", "", "", "", "", "", "", {}});
    CtlRun taken = Add({"--name", "Taken", "--ask-at-device"}, "");
    EXPECT_EQ(taken.exitCode, kExitFailed);
    EXPECT_NE(taken.err.find("the name \"Taken\" cannot be used: it is already used by a folder, a share or a desktop "
                             "link here, or by a folder on the device"),
              std::string::npos)
        << taken.err;
    CtlRun bad = Add({"--name", "a/b", "--ask-at-device"}, "");
    EXPECT_EQ(bad.exitCode, kExitFailed);
    EXPECT_NE(bad.err.find("\"a/b\" is not a folder name: it is empty or holds one of \\/:;,\"?*+=<>[]|"),
              std::string::npos)
        << bad.err;
    EXPECT_FALSE(fs::exists(platform::DriveCRoot() + "/Scans/Taken"));
    EXPECT_EQ(device->Folders().size(), 1u);

    fs::create_directories(platform::DriveCRoot() + "/Scans/Here");
    CtlRun here = Add({"--name", "Here", "--ask-at-device"}, "");
    EXPECT_EQ(here.exitCode, kExitFailed);
    EXPECT_TRUE(log->HasLine("CSharedFolder::IsFolderNameUnique(): Folder Here already exists on PC."));
}

TEST_F(AddCommandTest, ADeviceFailureAfterTheComputerStepUndoesItAndTheSameAddThenWorks)
{
    fs::create_directories(platform::DriveCRoot() + "/Scans");
    const std::string aclsBefore = ParentAcls();
    device->SetProfileFor("128", simdevice::Profile::HttpError);
    CtlRun run = Add({"--name", "Reports", "--shortcut", "--ask-at-device"}, "");
    EXPECT_EQ(run.exitCode, kExitFailed);
    const std::string link = std::string(std::getenv("HOME")) + "/Desktop/Reports.desktop";
    EXPECT_NE(run.err.find("tarrowctl: error: the device did not register the folder (see the log).\n"
                           "What was made on this computer for it was taken away again; the log lists each step.\n"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(log->HasLine("CSharedFolder::UndoSetup(): Removed share Reports"));
    EXPECT_TRUE(log->HasLine("CSharedFolder::UndoSetup(): Removed the desktop link " + link));
    ExpectNothingLeft("Reports", aclsBefore);
    EXPECT_FALSE(fs::exists(link));
    EXPECT_TRUE(device->Folders().empty());

    // Nothing is in the way of the same set-up once the device takes it.
    device->SetProfileFor("128", simdevice::Profile::ManagedGranted);
    CtlRun again = Add({"--name", "Reports", "--shortcut", "--ask-at-device"}, "");
    EXPECT_EQ(again.exitCode, kExitOk) << again.err;
    EXPECT_EQ(device->Folders().size(), 1u);
}

TEST_F(AddCommandTest, ADeviceThatSaysNoIsAFailureAndNothingIsLeft)
{
    const std::pair<simdevice::Profile, std::string> refusals[] = {
        {simdevice::Profile::Refusing, "DB_FULL"}, {simdevice::Profile::ErrorReplying, "INVALID_REQUEST"}};
    fs::create_directories(platform::DriveCRoot() + "/Scans");
    const std::string aclsBefore = ParentAcls();
    int n = 0;
    for (const auto& [profile, code] : refusals) {
        device->SetProfileFor("128", profile);
        const std::string name = "q'$(id)'z" + std::to_string(++n);
        CtlRun run = Add({"--name", name, "--ask-at-device"}, "");
        EXPECT_EQ(run.exitCode, kExitFailed) << code;
        EXPECT_TRUE(log->HasLine("ERROR- SetupSendToFolder(): CreateFolderAlias was refused by the device: ReturnCode " +
                                 code));
        EXPECT_EQ(run.out, "");
        ExpectNothingLeft(name, aclsBefore);
    }
    EXPECT_TRUE(device->Folders().empty());
}

TEST_F(AddCommandTest, AnAddStoppedPartWayIsFinishedByTheNextAddOfTheSameFolder)
{
    // Reports: stopped after the folder, before the share. Invoices: stopped while the device
    // registered it, which it did.
    const std::string unc = "\\\\" + computer.ToUtf8() + "\\";
    for (const char* name : {"Reports", "Invoices"})
        ASSERT_EQ(ConfigureComputer(u"C:\\Scans", CString::FromUtf8(name), 0, CString::FromUtf8(account.name)),
                  BREDE_NO_ERROR);
    ASSERT_EQ(platform::IShares::Default().DeleteShare(u"Reports"), 0);
    device->AddFolder({"Invoices", unc + "Invoices", "", "", "", "", "", "", "", "", {}});
    // Those runs ended: what they made is no one's work in progress any more.
    for (const char* name : {"REPORTS", "INVOICES"}) {
        const std::string record = std::string(std::getenv("XDG_STATE_HOME")) + "/tarrow/shares/" + name + ".share";
        std::string text = FileText(record);
        const std::size_t at = text.find("process=");
        ASSERT_NE(at, std::string::npos);
        text.replace(at, text.find('\n', at) - at, "process=999999999:1");
        std::ofstream(record) << text;
    }

    for (const char* name : {"Reports", "Invoices"}) {
        CtlRun run = Add({"--name", name, "--ask-at-device"}, "");
        ASSERT_EQ(run.exitCode, kExitOk) << run.err;
        EXPECT_NE(run.err.find(std::string("an earlier set-up of ") + name + " for " + account.name +
                               " stopped before it finished: what it made is checked and taken over"),
                  std::string::npos)
            << run.err;
        EXPECT_TRUE(log->HasLine(std::string("CSharedFolder::CreateSharedDirectory(): Taking over the unfinished set-up of ") +
                                 name + " that an earlier run left"));
        EXPECT_NE(samba.ShareAcl(name), "") << name;
    }
    // One record each on the device, and a finished set-up is no longer taken over.
    auto folders = device->Folders();
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0].name + " " + folders[1].name, "Reports Invoices");
    EXPECT_EQ(Add({"--name", "Reports", "--ask-at-device"}, "").exitCode, kExitFailed);
}

TEST_F(AddCommandTest, RemoveOnTheComputerSideLeavesTheComputerAsItWasBeforeTheAdd)
{
    fs::create_directories(platform::DriveCRoot() + "/Scans");
    const std::string aclsBefore = ParentAcls();
    ASSERT_EQ(Add({"--name", "Reports", "--shortcut", "--ask-at-device"}, "").exitCode, kExitOk);
    ASSERT_EQ(Add({"--name", "Invoices", "--ask-at-device"}, "").exitCode, kExitOk);
    std::ofstream(folder + "/Scan_0001.pdf") << "%PDF-1.4";
    const std::string above = fs::path(platform::DriveCRoot()).parent_path().string();
    const std::string link = std::string(std::getenv("HOME")) + "/Desktop/Reports.desktop";

    // The folder above stays passable while Invoices needs it.
    CtlRun first = Run({"remove", "127.0.0.5", "Reports", "--computer-side"});
    ASSERT_EQ(first.exitCode, kExitOk) << first.err;
    EXPECT_EQ(first.out, "removed Reports\n"
                         "  removed the desktop link " + link + "\n"
                         "  removed the share Reports\n"
                         "  kept the search right on " + above + ": share Invoices still needs it\n"
                         "  removed the account's access to " + folder + "\n"
                         "  kept the folder " + folder + ": the folder and the scans in it stay\n");
    EXPECT_EQ(samba.ShareAcl("Reports"), "");
    EXPECT_FALSE(fs::exists(link));
    EXPECT_EQ(FileText(folder + "/Scan_0001.pdf"), "%PDF-1.4");
    passwd* entry = getpwnam(account.name.c_str());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(UserAclEntry(folder, entry->pw_uid), "");
    EXPECT_EQ(UserAclEntry(folder, entry->pw_uid, ACL_TYPE_DEFAULT), "");
    EXPECT_EQ(UserAclEntry(above, entry->pw_uid), "--x");

    const std::string invoices = platform::DriveCRoot() + "/Scans/Invoices";
    CtlRun second = Run({"remove", "127.0.0.5", "Invoices", "--computer-side", "--json"});
    ASSERT_EQ(second.exitCode, kExitOk) << second.err;
    EXPECT_EQ(second.out, "{\"ok\":true,\"device\":\"127.0.0.5\",\"removed\":[\"Invoices\"],"
                          "\"computerSide\":[{\"name\":\"Invoices\",\"steps\":["
                          "{\"step\":\"share\",\"outcome\":\"removed\",\"subject\":\"Invoices\",\"detail\":\"\"},"
                          "{\"step\":\"parent-right\",\"outcome\":\"removed\",\"subject\":\"" + above + "\",\"detail\":\"\"},"
                          "{\"step\":\"folder-rights\",\"outcome\":\"removed\",\"subject\":\"" + invoices + "\",\"detail\":\"\"},"
                          "{\"step\":\"folder\",\"outcome\":\"kept\",\"subject\":\"" + invoices +
                          "\",\"detail\":\"the folder and the scans in it stay\"}]}]}\n");
    EXPECT_EQ(ParentAcls(), aclsBefore);
    EXPECT_EQ(samba.ShareInfo("Invoices"), "");
    EXPECT_TRUE(device->Folders().empty());
}

TEST_F(AddCommandTest, RemoveOnTheComputerSideNeverTouchesAnotherUsersShareOrAnotherComputer)
{
    SambaFixture::Account other = samba.AddDesktopAccount();
    ASSERT_FALSE(other.name.empty());
    const std::string theirs = other.home + "/Theirs";
    fs::create_directories(theirs);
    ASSERT_TRUE(samba.AddShareAs(other, "Theirs", theirs));
    const std::string infoBefore = samba.ShareInfo("Theirs");
    device->AddFolder({"Theirs", "\\\\" + computer.ToUtf8() + "\\Theirs", "", "", "", "", "", "", "", "", {}});
    device->AddFolder({"Elsewhere", "\\\\OTHERPC\\Elsewhere", "", "", "", "", "", "", "", "", {}});

    CtlRun run = Run({"remove", "127.0.0.5", "Theirs", "Elsewhere", "--computer-side"});
    EXPECT_EQ(run.exitCode, kExitFailed);
    EXPECT_EQ(run.out, "removed Theirs\n"
                       "  left the share Theirs: the share belongs to the account " + other.name +
                           "; only that account can remove it\n"
                       "removed Elsewhere\n"
                       "  left the share \\\\OTHERPC\\Elsewhere: it is not a share of this computer\n");
    EXPECT_NE(run.err.find("tarrowctl: error: Theirs: left the share Theirs: the share belongs to the account " +
                           other.name),
              std::string::npos)
        << run.err;
    EXPECT_EQ(samba.ShareInfo("Theirs"), infoBefore);
}

TEST_F(AddCommandTest, DoctorChecksTheSharesThatTheDeviceNamesWithTheirRecords)
{
    ASSERT_EQ(Add({"--name", "Reports", "--password-stdin"}, account.password + "\n").exitCode, kExitOk);
    device->AddFolder({"Elsewhere", "\\\\OTHERPC\\Elsewhere", "bob", "", "", "", "", "", "", "", {}});

    CtlRun run = Run({"doctor", "127.0.0.5", "--user", account.name});
    const std::string unc = "\\\\" + computer.ToUtf8() + "\\Reports";
    for (const std::string& line :
         {"ok      samba-account: " + account.name + " has a Samba password\n",
          "ok      device-record (Reports): the device's record Reports writes to " + unc + " as " + account.name +
              "\n"}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
    }
    EXPECT_NE(run.out.find("ok      share (Reports): "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("ok      folder-rights (Reports): "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Elsewhere"), std::string::npos) << "a share of another computer is not checked here";
    EXPECT_NE(run.out.find("skipped device-path (Reports): the device's own check of " + unc + " needs the password of " +
                           account.name + " (--password-stdin)\n"),
              std::string::npos)
        << run.out;

    // With the password the device itself is asked: it signs in to the share as the account, so
    // it accepts the account's current password only.
    device->SetNameTable({{computer.ToUtf8(), "127.0.0.1"}});
    CtlRun asked = Run({"doctor", "127.0.0.5", "--user", account.name, "--password-stdin"}, account.password + "\n");
    EXPECT_NE(asked.out.find("ok      device-path (Reports): the device says it reaches " + unc + " as " +
                             account.name + "\n"),
              std::string::npos)
        << asked.out;
    CtlRun stale = Run({"doctor", "127.0.0.5", "--user", account.name, "--password-stdin"}, "an old one\n");
    EXPECT_EQ(stale.exitCode, kExitFailed);
    EXPECT_NE(stale.out.find("problem device-path (Reports): the device says it cannot reach " + unc +
                             " with the password given for " + account.name + "\n"),
              std::string::npos)
        << stale.out;
    EXPECT_FALSE(log->Contains(account.password));
    EXPECT_FALSE(log->Contains("an old one"));
    EXPECT_TRUE(log->HasLine("IsFolderPathValid(): Folder Path and credentials are valid."));
    EXPECT_TRUE(log->HasLine("IsFolderPathValid(): Folder Path and/or credentials are not valid."));

    // The folder loses the account's entry: doctor names it with its fix.
    ASSERT_EQ(samba.Client("Reports", account, "ls").exitCode, 0);
    ASSERT_EQ(platform::RunProgram({"/usr/bin/setfacl", "-x", "u:" + account.name, folder}).exitCode, 0);
    CtlRun broken = Run({"doctor", "--share", "Reports", "--user", account.name, "--json"});
    EXPECT_EQ(broken.exitCode, kExitFailed);
    EXPECT_NE(broken.out.find("{\"check\":\"folder-rights\",\"share\":\"Reports\",\"status\":\"problem\""),
              std::string::npos)
        << broken.out;
    EXPECT_NE(broken.out.find("setfacl -m u:" + account.name + ":rwx " + folder), std::string::npos) << broken.out;
}

TEST_F(AddCommandTest, IfAbsentLeavesASetUpInPlaceAndNeverOverwritesARecordThatWritesElsewhere)
{
    const std::string unc = "\\\\" + computer.ToUtf8() + "\\Reports";
    const std::string fields = "\"name\":\"Reports\",\"folder\":\"" + folder + "\",\"share\":\"\\\\\\\\" +
                               computer.ToUtf8() + "\\\\Reports\",\"device\":\"127.0.0.5\",\"user\":\"" + account.name +
                               "\"}\n";
    CtlRun added = Add({"--name", "Reports", "--if-absent", "--password-stdin", "--json"}, account.password + "\n");
    ASSERT_EQ(added.exitCode, kExitOk) << added.err;
    EXPECT_EQ(added.out, "{\"ok\":true,\"changed\":true,\"result\":\"added\"," + fields);
    EXPECT_NE(added.err.find("tarrowctl: registering the folder on the device\n"), std::string::npos) << added.err;

    // Run again, nothing is made, asked for or changed; the device keeps the record it has.
    CtlRun again = Add({"--name", "Reports", "--if-absent", "--password-stdin"}, "a newer password\n");
    EXPECT_EQ(again.exitCode, kExitOk) << again.err;
    EXPECT_EQ(again.out, "Scan folder Reports is set up already: " + folder + ", shared as " + unc +
                             ", registered on the device at 127.0.0.5 with the account " + account.name +
                             "; nothing was changed.\n");
    CtlRun json = Add({"--name", "Reports", "--if-absent", "--password-stdin", "--json"}, account.password + "\n");
    EXPECT_EQ(json.exitCode, kExitOk) << json.err;
    EXPECT_EQ(json.out, "{\"ok\":true,\"changed\":false,\"result\":\"unchanged\"," + fields);
    EXPECT_EQ(json.err.find("making the folder"), std::string::npos) << json.err;
    ASSERT_EQ(device->Folders().size(), 1u);
    EXPECT_EQ(device->Folders()[0].password, account.password);

    // A record of the name that writes as another account, or to another computer, stays as it is.
    CtlRun otherAccount = Add({"--name", "Reports", "--if-absent", "--ask-at-device", "--json"}, "");
    EXPECT_EQ(otherAccount.exitCode, kExitFailed);
    EXPECT_EQ(otherAccount.out, "{\"ok\":false,\"changed\":false,\"error\":{\"code\":\"failed\",\"exitCode\":1,"
                                "\"message\":\"the device holds a folder record Reports that writes to \\\\\\\\" +
                                    computer.ToUtf8() + "\\\\Reports as " + account.name + ", not to \\\\\\\\" +
                                    computer.ToUtf8() + "\\\\Reports as whoever signs in at the device; it is left "
                                    "as it is.\\nFix: give another --name, or remove the record first: tarrowctl "
                                    "remove 127.0.0.5 Reports\"}}\n");
    device->AddFolder({"Elsewhere", "\\\\OTHERPC\\Elsewhere", account.name, "", "", "", "", "", "", "", {}});
    CtlRun elsewhere = Add({"--name", "Elsewhere", "--if-absent", "--password-stdin"}, account.password + "\n");
    EXPECT_EQ(elsewhere.exitCode, kExitFailed);
    EXPECT_NE(elsewhere.err.find("tarrowctl: error: the device holds a folder record Elsewhere that writes to "
                                 "\\\\OTHERPC\\Elsewhere as " + account.name + ", not to \\\\" + computer.ToUtf8() +
                                 "\\Elsewhere as " + account.name + "; it is left as it is.\n"),
              std::string::npos)
        << elsewhere.err;
    EXPECT_FALSE(fs::exists(platform::DriveCRoot() + "/Scans/Elsewhere"));
    EXPECT_EQ(samba.ShareAcl("Elsewhere"), "");
    EXPECT_EQ(device->Folders().size(), 2u);

    // The share and folder are in place (as for another device) but the record is missing: the
    // device's record alone is added.
    device->ClearFolders();
    CtlRun registered = Add({"--name", "Reports", "--if-absent", "--password-stdin", "--json"}, account.password + "\n");
    EXPECT_EQ(registered.exitCode, kExitOk) << registered.err;
    EXPECT_EQ(registered.out, "{\"ok\":true,\"changed\":true,\"result\":\"registered\"," + fields);
    EXPECT_EQ(registered.err.find("making the folder"), std::string::npos) << registered.err;
    ASSERT_EQ(device->Folders().size(), 1u);
    EXPECT_EQ(device->Folders()[0].path, unc);
    EXPECT_EQ(device->Folders()[0].userName, account.name);

    // The record is this computer's, but its share is gone, or the share of a name without a
    // record is not the one wanted: said, with where to look, not mended.
    ASSERT_EQ(platform::IShares::Default().DeleteShare(u"Reports"), 0);
    CtlRun noShare = Add({"--name", "Reports", "--if-absent", "--password-stdin"}, account.password + "\n");
    EXPECT_EQ(noShare.exitCode, kExitFailed);
    EXPECT_NE(noShare.err.find("tarrowctl: error: the device's record Reports writes to " + unc +
                               ", but there is no share Reports.\nFix: tarrowctl doctor 127.0.0.5 --share Reports "
                               "--user " + account.name + " tells what is wrong; or give another --name\n"),
              std::string::npos)
        << noShare.err;
    EXPECT_EQ(samba.ShareAcl("Reports"), "");
    fs::create_directories(platform::DriveCRoot() + "/Other");
    ASSERT_EQ(platform::IShares::Default().AddShare(u"Other", CString::FromUtf8(platform::DriveCRoot() + "/Other")), 0);
    CtlRun otherShare = Add({"--name", "Other", "--if-absent", "--password-stdin"}, account.password + "\n");
    EXPECT_EQ(otherShare.exitCode, kExitFailed);
    EXPECT_NE(otherShare.err.find("tarrowctl: error: the name Other is taken on this computer: share Other serves " +
                                  platform::DriveCRoot() + "/Other, not " + platform::DriveCRoot() +
                                  "/Scans/Other.\n"),
              std::string::npos)
        << otherShare.err;
    EXPECT_EQ(device->Folders().size(), 1u);
    EXPECT_FALSE(log->Contains(account.password));
}
