// tarrowctl check, list, remove, export and import against simulated devices.
#include "CtlFixture.h"

#include "ctl/ExitCodes.h"
#include "platform/core/Paths.h"

#include <sys/stat.h>

using namespace ctltest;
using simdevice::Profile;

namespace {

simdevice::Folder Record(std::string name, std::string user, std::string format = "PDF")
{
    simdevice::Folder folder;
    folder.path = "\\\\SCANPC\\" + name;
    folder.name = std::move(name);
    folder.password = user.empty() ? "" : "stored-secret";
    folder.userName = std::move(user);
    folder.fileFormat = std::move(format);
    folder.resolution = "300x300";
    folder.color = "Color";
    folder.fileSize = "DS_FILESIZE_STANDARD";
    return folder;
}

} // namespace

TEST_F(CtlTest, CheckTellsModelAndFeaturesByAddressHostAndMac)
{
    std::string error;
    ASSERT_TRUE(discoverytest::UsePrivateHostsFile("127.0.0.5 scanner-5.office.example\n", error)) << error;
    AddDevice(5);
    StartAgent();
    const std::string expected = "device:    127.0.0.5\n"
                                 "model:     Norvik Kelvane KV4250 MFP\n"
                                 "features:  supported (3): the device can scan to a network folder\n";
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"check", "127.0.0.5"}, {"check", "--host", "scanner-5.office.example"}, {"check", "--mac", "02:00:7F:00:00:05"}}) {
        CtlRun run = Run(args);
        EXPECT_EQ(run.exitCode, kExitOk) << args[1] << run.err;
        EXPECT_EQ(run.out, expected) << args[1];
    }
    CtlRun json = Run({"check", " 127.0.0.5 ", "--json"});
    EXPECT_EQ(json.out, "{\"device\":\"127.0.0.5\",\"reachable\":true,\"ipAddress\":\"127.0.0.5\",\"model\":\"Norvik "
                        "Kelvane KV4250 MFP\",\"features\":3,\"featuresText\":\"supported\",\"usable\":true}\n");
    EXPECT_TRUE(log->HasLine("tarrowctl: found Norvik Kelvane KV4250 MFP at 127.0.0.5"));
}

TEST_F(CtlTest, AnUnreachableDeviceExitsWithThree)
{
    StartAgent();
    CtlRun run = Run({"check", "127.0.0.9"});
    EXPECT_EQ(run.exitCode, kExitUnreachable);
    EXPECT_EQ(run.out, "127.0.0.9: not reachable\n");
    EXPECT_NE(run.err.find("tarrowctl: error: no device answers at 127.0.0.9\n"), std::string::npos) << run.err;
    EXPECT_EQ(Run({"check", "127.0.0.9", "--json"}).out, "{\"device\":\"127.0.0.9\",\"reachable\":false}\n");
    EXPECT_EQ(Run({"list", "127.0.0.9"}).exitCode, kExitUnreachable);
}

TEST_F(CtlTest, DevicesThatCannotBeUsedExitWithFourAndTheReason)
{
    struct Case {
        int n;
        Profile profile;
        const char* model;
        const char* words;
    };
    const Case cases[] = {
        {11, Profile::ManagedGranted, discoverytest::kUnsupportedModel,
         "the device does not support scanning to a folder (unsupported)"},
        {12, Profile::UnmanagedNoFeature, "Norvik Kelvane KL3100 MFP",
         "the device needs a firmware upgrade to scan to a folder (firmware)"},
        {13, Profile::ManagedRefused, discoverytest::kSupportedModel,
         "set-up from a computer is switched off on the device (blocked)"},
        {14, Profile::PasswordProtected, discoverytest::kSupportedModel,
         "the device's web server is password protected; remove the password to set up scanning "
         "(password-protected)"},
    };
    for (const Case& c : cases)
        AddDevice(c.n, c.profile, c.model);
    StartAgent();
    for (const Case& c : cases) {
        const std::string address = "127.0.0." + std::to_string(c.n);
        CtlRun run = Run({"check", address});
        EXPECT_EQ(run.exitCode, kExitUnsupported) << address;
        EXPECT_NE(run.err.find(std::string("tarrowctl: error: ") + c.words + "\n"), std::string::npos) << run.err;
        // add stops there too, before it asks for anything or changes anything
        EXPECT_EQ(Run({"add", address, "--ask-at-device", "--location", "C:\\Scans"}).exitCode, kExitUnsupported);
        EXPECT_FALSE(std::filesystem::exists(platform::DriveCRoot() + "/Scans"));
    }
}

TEST_F(CtlTest, ListRemoveAndTheirMistakes)
{
    simdevice::SimulatedDevice& device = AddDevice(5);
    device.AddFolder(Record("Reports", "alice"));
    device.AddFolder(Record("Shared", ""));
    StartAgent();

    CtlRun list = Run({"list", "127.0.0.5"});
    EXPECT_EQ(list.exitCode, kExitOk);
    EXPECT_EQ(list.out, "NAME     NETWORK PATH      USER\n"
                        "Reports  \\\\SCANPC\\Reports  alice\n"
                        "Shared   \\\\SCANPC\\Shared   \n");
    EXPECT_EQ(Run({"list", "127.0.0.5", "--json"}).out,
              "[{\"name\":\"Reports\",\"path\":\"\\\\\\\\SCANPC\\\\Reports\",\"user\":\"alice\"},"
              "{\"name\":\"Shared\",\"path\":\"\\\\\\\\SCANPC\\\\Shared\",\"user\":\"\"}]\n");

    CtlRun unknown = Run({"remove", "127.0.0.5", "Reports", "Nope"});
    EXPECT_EQ(unknown.exitCode, kExitFailed);
    EXPECT_NE(unknown.err.find("the device holds no folder \"Nope\"; nothing was removed"), std::string::npos);
    EXPECT_EQ(device.Folders().size(), 2u);

    CtlRun remove = Run({"remove", "127.0.0.5", "Reports"});
    EXPECT_EQ(remove.exitCode, kExitOk) << remove.err;
    EXPECT_EQ(remove.out, "removed Reports\n");
    ASSERT_EQ(device.Folders().size(), 1u);
    EXPECT_EQ(device.Folders()[0].name, "Shared");
    EXPECT_EQ(Run({"list", "127.0.0.5"}).out, "NAME    NETWORK PATH     USER\nShared  \\\\SCANPC\\Shared  \n");

    // What the device says cannot steer the terminal, even written raw.
    device.SetRawControlCharacters(true);
    device.AddFolder(Record("A\x1b]0;owned\x07\r\xc2\x9b" "2J", "\x1b[2J"));
    const std::string listed = Run({"list", "127.0.0.5"}).out;
    EXPECT_EQ(listed.substr(listed.find("\nA") + 1), "A\\x1b]0;owned\\x07\\x0d\\xc2\\x9b2J  "
                                                       "\\\\SCANPC\\A\\x1b]0;owned\\x07\\x0d\\xc2\\x9b2J  \\x1b[2J\n");

    device.ClearFolders();
    EXPECT_EQ(Run({"list", "127.0.0.5"}).out, "The device holds no scan folders.\n");
    device.SetProfileFor("130", Profile::HttpError);
    CtlRun failed = Run({"list", "127.0.0.5"});
    EXPECT_EQ(failed.exitCode, kExitFailed);
    EXPECT_EQ(failed.out, "");
    EXPECT_NE(failed.err.find("could not read the device's folder list"), std::string::npos);
}

TEST_F(CtlTest, ExportWritesEveryRecordWithoutPasswordsAndImportRegistersEachLineOnce)
{
    simdevice::SimulatedDevice& source = AddDevice(5);
    source.AddFolder(Record("Reports", "alice", "TIFF"));
    source.AddFolder(Record("Comma,Name", ""));
    // Cells a spreadsheet would run as formulas are written as text.
    source.AddFolder(Record("@Home", "=cmd|' /C calc'!A0"));
    simdevice::SimulatedDevice& target = AddDevice(6);
    StartAgent();

    const std::string csv = platform::DriveCRoot() + "/book.csv";
    CtlRun exported = Run({"export", "127.0.0.5", csv});
    EXPECT_EQ(exported.exitCode, kExitOk) << exported.err;
    EXPECT_EQ(exported.out, "exported 3 folder record(s) to " + csv + "\n");
    EXPECT_EQ(FileText(csv), "name,network path,user,format,resolution,color,size\r\n"
                             "Reports,\\\\SCANPC\\Reports,alice,tiff,300,color,standard\r\n"
                             "\"Comma,Name\",\"\\\\SCANPC\\Comma,Name\",,pdf,300,color,standard\r\n"
                             "'@Home,\\\\SCANPC\\@Home,'=cmd|' /C calc'!A0,pdf,300,color,standard\r\n");

    // A name that add refuses (a comma) cannot be imported: the book without it.
    std::string book = FileText(csv);
    book.erase(book.find("\"Comma"), book.find("@Home") - 1 - book.find("\"Comma"));
    std::ofstream(csv, std::ios::trunc) << book << "Other,\\\\SCANPC\\Other,CORP\\bob,jpeg,75,bw,large\r\n";
    CtlRun imported = Run({"import", "127.0.0.6", csv, "--password-stdin"}, "book-secret\n");
    EXPECT_EQ(imported.exitCode, kExitOk) << imported.err;
    EXPECT_EQ(imported.out, "line 2: Reports registered\n"
                            "line 3: @Home registered\n"
                            "line 4: Other registered\n"
                            "3 registered, 0 skipped, 0 not\n");
    auto folders = target.Folders();
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[0].name, "Reports");
    EXPECT_EQ(folders[0].userName, "alice");
    EXPECT_EQ(folders[0].password, "book-secret");
    EXPECT_EQ(folders[0].fileFormat, "TIFF");
    EXPECT_EQ(folders[1].name, "@Home");
    EXPECT_EQ(folders[1].userName, "=cmd|' /C calc'!A0");
    EXPECT_EQ(folders[2].domain, "CORP");
    EXPECT_EQ(folders[2].userName, "bob");
    EXPECT_EQ(folders[2].fileFormat, "JPEG");
    EXPECT_EQ(folders[2].resolution, "75x75");
    EXPECT_EQ(folders[2].color, "Black_White");
    EXPECT_EQ(folders[2].fileSize, "DS_FILESIZE_LARGE");
    EXPECT_FALSE(log->Contains("book-secret"));
    EXPECT_FALSE(log->Contains("stored-secret"));

    // Run again, the import registers nothing twice; the device's own names count in any case.
    book = FileText(csv);
    book.replace(book.find("Other,"), 20, "OTHER,\\\\SCANPC\\OTHER");
    std::ofstream(csv, std::ios::trunc) << book;
    CtlRun again = Run({"import", "127.0.0.6", csv, "--password-stdin"}, "book-secret\n");
    EXPECT_EQ(again.exitCode, kExitOk) << again.err;
    EXPECT_EQ(again.out.substr(again.out.rfind("line 4")), "line 4: OTHER is on the device already, skipped\n"
                                                          "0 registered, 3 skipped, 0 not\n");
    EXPECT_EQ(target.Folders().size(), 3u);
}

TEST_F(CtlTest, CommandLineMistakesExitWithTwoBeforeAnyTraffic)
{
    StartAgent();
    EXPECT_EQ(Run({}).exitCode, kExitUsage);
    EXPECT_EQ(Run({"scan"}).exitCode, kExitUsage);
    CtlRun badOption = Run({"check", "127.0.0.5", "--colour", "bw"});
    EXPECT_EQ(badOption.exitCode, kExitUsage);
    EXPECT_EQ(badOption.err.substr(0, 44), "tarrowctl check: unknown option --colour\n\nUs");
    EXPECT_EQ(Run({"add", "127.0.0.5", "--format", "gif"}).err,
              "tarrowctl add: --format does not take \"gif\"\nTry 'tarrowctl add --help'.\n");
    EXPECT_EQ(Run({"remove", "127.0.0.5"}).exitCode, kExitUsage);
    EXPECT_EQ(Run({"check"}).exitCode, kExitUsage);
    EXPECT_EQ(Run({"check", "127.0.0.5", "--host", "kelvane-5"}).exitCode, kExitUsage);
    EXPECT_EQ(Run({"add", "127.0.0.5", "--name"}).exitCode, kExitUsage);
    EXPECT_EQ(Run({"check", "--help"}).exitCode, kExitOk);
    CtlRun help = Run({"--help"});
    EXPECT_NE(help.out.find("the log that the wizard writes: " + platform::DriveCRoot() + "/Tarrow.log,\n"),
              std::string::npos)
        << help.out;
    EXPECT_FALSE(log->Contains("Starting TarrowNetwork.exe."));
}

TEST_F(CtlTest, ImportChecksEveryLineFirstAndRefusesAFileWithABadOne)
{
    simdevice::SimulatedDevice& target = AddDevice(6);
    StartAgent();
    const std::string csv = platform::DriveCRoot() + "/book.csv";
    std::ofstream(csv) << "name,network path,user,format,resolution,color,size\n"
                          "\n"
                          "Only\n"
                          ",\\\\PC\\Empty\n"
                          "Other,\\\\PC\\Share\n"
                          "Share,\\\\PC\\Share,,gif\n"
                          "Share,\\\\PC\\Share,,pdf,600,bw,small,extra\n"
                          "Share,\\\\PC\\Share,,pdf,600,bw,small\n"
                          "\"Two\nLines\",\"\\\\PC\\Two\nLines\"\n"
                       << std::string("Nul\0,\\\\PC\\Nul\0\n", 15) << "Bad\xff,\\\\PC\\Bad\xff\n"
                       << std::string(1 << 20, 'L') << ",\\\\PC\\L\n"
                       << "share,\\\\PC\\share\n";
    const std::string rule = " is not a folder name: it must be UTF-8 text of 1 to 80 characters, without control "
                             "characters, blanks at its end or any of \\/:;,\"?*+=<>[]|%\n";
    CtlRun run = Run({"import", "127.0.0.6", csv}); // no password is asked: nothing is registered
    EXPECT_EQ(run.exitCode, kExitFailed);
    EXPECT_EQ(run.out, "line 3: expected 2 to 7 columns: name, network path, user, format, resolution, color, size\n"
                       "line 4: \"\"" + rule +
                       "line 5: the device names a folder after its share: name \"Other\" is not share \"Share\"\n"
                       "line 6: --format does not take \"gif\"\n"
                       "line 7: expected 2 to 7 columns: name, network path, user, format, resolution, color, size\n"
                       "line 9: \"Two\\x0aLines\"" + rule +
                       "line 10: \"Nul\\x00\"" + rule +
                       "line 11: \"Bad\\xff\"" + rule +
                       "line 12: \"" + std::string(100, 'L') + "...\"" + rule +
                       "line 13: the name share is on line 8 already\n");
    EXPECT_NE(run.err.find("tarrowctl: error: " + csv + ": 10 line(s) above cannot be imported; nothing was "
                           "imported\n"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(target.Folders().empty());

    std::ofstream(csv) << "Share,\"\\\\PC\\Share\n";
    CtlRun broken = Run({"import", "127.0.0.6", csv});
    EXPECT_EQ(broken.exitCode, kExitFailed);
    EXPECT_NE(broken.err.find("tarrowctl: error: " + csv + ": a quotation mark is not closed"), std::string::npos);
    EXPECT_EQ(Run({"import", "127.0.0.6", platform::DriveCRoot() + "/missing.csv"}).exitCode, kExitUsage);
    const std::string unwritable = platform::DriveCRoot() + "/no/such/folder/book.csv";
    CtlRun exported = Run({"export", "127.0.0.6", unwritable});
    EXPECT_EQ(exported.exitCode, kExitFailed);
    EXPECT_NE(exported.err.find("tarrowctl: error: could not write " + unwritable + "\n"), std::string::npos)
        << exported.err;
}

TEST_F(CtlTest, ALogThatCannotBeWrittenIsSaidOnce)
{
    AddDevice(5);
    StartAgent();
    const std::string logFile = platform::DriveCRoot() + "/Tarrow.log";
    ProgramLog().Close();
    std::filesystem::remove(logFile);
    ASSERT_EQ(mkfifo(logFile.c_str(), 0600), 0);
    CtlRun run = Run({"check", "127.0.0.5"});
    EXPECT_EQ(run.exitCode, kExitOk);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1),
              "tarrowctl: warning: nothing of this run is logged: the log " + logFile +
                  " is not a regular file that this account can write (remove what is there, or make its folder "
                  "writable)\n");
}
