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
    EXPECT_EQ(json.out, "{\"ok\":true,\"device\":\"127.0.0.5\",\"reachable\":true,\"ipAddress\":\"127.0.0.5\",\"model\":"
                        "\"Norvik Kelvane KV4250 MFP\",\"features\":3,\"featuresText\":\"supported\",\"featuresDetail\":"
                        "\"the device can scan to a network folder\",\"usable\":true}\n");
    EXPECT_NE(json.err.find("tarrowctl: found Norvik Kelvane KV4250 MFP at 127.0.0.5\n"), std::string::npos);
    EXPECT_TRUE(log->HasLine("tarrowctl: found Norvik Kelvane KV4250 MFP at 127.0.0.5"));
}

TEST_F(CtlTest, AnUnreachableDeviceExitsWithThree)
{
    StartAgent();
    CtlRun run = Run({"check", "127.0.0.9"});
    EXPECT_EQ(run.exitCode, kExitUnreachable);
    EXPECT_EQ(run.out, "127.0.0.9: not reachable\n");
    EXPECT_NE(run.err.find("tarrowctl: error: no device answers at 127.0.0.9\n"), std::string::npos) << run.err;
    CtlRun json = Run({"check", "127.0.0.9", "--json"});
    EXPECT_EQ(json.exitCode, kExitUnreachable);
    EXPECT_EQ(json.out, "{\"ok\":false,\"device\":\"127.0.0.9\",\"reachable\":false,\"error\":{\"code\":"
                        "\"unreachable\",\"exitCode\":3,\"message\":\"no device answers at 127.0.0.9\"}}\n");
    EXPECT_EQ(Run({"list", "127.0.0.9"}).exitCode, kExitUnreachable);
    EXPECT_EQ(Run({"remove", "127.0.0.9", "Reports", "--json"}).out,
              "{\"ok\":false,\"error\":{\"code\":\"unreachable\",\"exitCode\":3,\"message\":\"no device answers at "
              "127.0.0.9\"}}\n");
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
        const std::string json = Run({"check", address, "--json"}).out;
        EXPECT_EQ(json.substr(json.find(",\"usable\"")),
                  std::string(",\"usable\":false,\"error\":{\"code\":\"unsupported\",\"exitCode\":4,\"message\":\"") +
                      c.words + "\"}}\n");
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
    CString computer;
    ASSERT_TRUE(platform::ISystemInfo::Default().GetComputerName(computer));
    const std::string listed = "{\"ok\":true,\"device\":\"127.0.0.5\",\"computer\":\"" + computer.ToUtf8() + "\",";
    EXPECT_EQ(Run({"list", "127.0.0.5", "--json"}).out,
              listed + "\"folders\":[{\"name\":\"Reports\",\"path\":\"\\\\\\\\SCANPC\\\\Reports\",\"user\":\"alice\","
                       "\"format\":\"pdf\",\"resolution\":\"300\",\"color\":\"color\",\"size\":\"standard\"},"
                       "{\"name\":\"Shared\",\"path\":\"\\\\\\\\SCANPC\\\\Shared\",\"user\":\"\",\"format\":\"pdf\","
                       "\"resolution\":\"300\",\"color\":\"color\",\"size\":\"standard\"}]}\n");

    CtlRun unknown = Run({"remove", "127.0.0.5", "Reports", "Nope"});
    EXPECT_EQ(unknown.exitCode, kExitFailed);
    EXPECT_NE(unknown.err.find("the device holds no folder \"Nope\"; nothing was removed"), std::string::npos);
    EXPECT_EQ(Run({"remove", "127.0.0.5", "Nope", "--json"}).out,
              "{\"ok\":false,\"error\":{\"code\":\"failed\",\"exitCode\":1,\"message\":\"the device holds no folder "
              "\\\"Nope\\\"; nothing was removed\"}}\n");
    EXPECT_EQ(device.Folders().size(), 2u);

    CtlRun remove = Run({"remove", "127.0.0.5", "Reports", "--json"});
    EXPECT_EQ(remove.exitCode, kExitOk) << remove.err;
    EXPECT_EQ(remove.out, "{\"ok\":true,\"device\":\"127.0.0.5\",\"removed\":[\"Reports\"]}\n");
    ASSERT_EQ(device.Folders().size(), 1u);
    EXPECT_EQ(device.Folders()[0].name, "Shared");
    EXPECT_EQ(Run({"list", "127.0.0.5"}).out, "NAME    NETWORK PATH     USER\nShared  \\\\SCANPC\\Shared  \n");
    device.AddFolder(Record("Bob", "bob"));
    EXPECT_EQ(Run({"remove", "127.0.0.5", "Bob"}).out, "removed Bob\n");

    // What the device says cannot steer the terminal, even written raw.
    device.SetRawControlCharacters(true);
    device.AddFolder(Record("A\x1b]0;owned\x07\r\xc2\x9b" "2J", "\x1b[2J"));
    const std::string table = Run({"list", "127.0.0.5"}).out;
    EXPECT_EQ(table.substr(table.find("\nA") + 1), "A\\x1b]0;owned\\x07\\x0d\\xc2\\x9b2J  "
                                                     "\\\\SCANPC\\A\\x1b]0;owned\\x07\\x0d\\xc2\\x9b2J  \\x1b[2J\n");
    // ... nor break the JSON document: control characters escaped, bytes that are no UTF-8 as U+FFFD.
    device.AddFolder(Record("Q\"\\\x7f\xff\xc3", "\xe2\x82"));
    const std::string json = Run({"list", "127.0.0.5", "--json"}).out;
    const std::string replaced = "\xef\xbf\xbd";
    EXPECT_NE(json.find("{\"name\":\"A\\u001b]0;owned\\u0007\\r\\u009b2J\",\"path\":\"\\\\\\\\SCANPC\\\\A\\u001b]0;owned"
                        "\\u0007\\r\\u009b2J\",\"user\":\"\\u001b[2J\","),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("{\"name\":\"Q\\\"\\\\\\u007f" + replaced + replaced + "\",\"path\":\"\\\\\\\\SCANPC\\\\Q\\\"\\\\"
                        "\\u007f" + replaced + replaced + "\",\"user\":\"" + replaced + "\","),
              std::string::npos)
        << json;

    device.ClearFolders();
    EXPECT_EQ(Run({"list", "127.0.0.5"}).out, "The device holds no scan folders.\n");
    device.SetProfileFor("130", Profile::HttpError);
    CtlRun failed = Run({"list", "127.0.0.5"});
    EXPECT_EQ(failed.exitCode, kExitFailed);
    EXPECT_EQ(failed.out, "");
    EXPECT_NE(failed.err.find("could not read the device's folder list"), std::string::npos);
    EXPECT_EQ(Run({"list", "127.0.0.5", "--json"}).out,
              "{\"ok\":false,\"error\":{\"code\":\"failed\",\"exitCode\":1,\"message\":\"could not read the "
              "device's folder list (see the log)\"}}\n");
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

    CtlRun json = Run({"import", "127.0.0.6", csv, "--password-stdin", "--json"}, "book-secret\n");
    EXPECT_EQ(json.exitCode, kExitOk) << json.err;
    EXPECT_EQ(json.out, "{\"ok\":true,\"device\":\"127.0.0.6\",\"file\":\"" + csv + "\",\"lines\":["
                        "{\"line\":2,\"name\":\"Reports\",\"result\":\"skipped\"},{\"line\":3,\"name\":\"@Home\","
                        "\"result\":\"skipped\"},{\"line\":4,\"name\":\"OTHER\",\"result\":\"skipped\"}],"
                        "\"registered\":0,\"skipped\":3,\"failed\":0}\n");
    EXPECT_EQ(Run({"export", "127.0.0.6", csv, "--json"}).out,
              "{\"ok\":true,\"device\":\"127.0.0.6\",\"file\":\"" + csv + "\",\"records\":3}\n");
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
    // With --json the mistake is the document's error too.
    const std::vector<std::pair<std::vector<std::string>, std::string>> mistakes = {
        {{"check", "127.0.0.5", "--colour", "bw", "--json"}, "unknown option --colour"},
        {{"add", "127.0.0.5", "--format", "gif", "--json"}, "--format does not take \\\"gif\\\""},
        {{"add", "127.0.0.5", "--if-absent", "--ask-at-device", "--json"},
         "--if-absent needs the folder's --name: the name tells which set-up to look for"},
        {{"scan", "--json"}, "unknown command \\\"scan\\\" (tarrowctl --help lists the commands)"},
    };
    for (const auto& [args, message] : mistakes) {
        CtlRun run = Run(args);
        EXPECT_EQ(run.exitCode, kExitUsage) << args[0];
        EXPECT_EQ(run.out.substr(run.out.find("\"error\"")),
                  "\"error\":{\"code\":\"usage\",\"exitCode\":2,\"message\":\"" + message + "\"}}\n");
    }
    EXPECT_EQ(Run({"list", "--json", "--help"}).out.substr(0, 28), "Usage: tarrowctl list DEVICE");
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

    std::ofstream(csv) << "Only\nShare,\\\\PC\\Share\nshare,\\\\PC\\share\n";
    CtlRun json = Run({"import", "127.0.0.6", csv, "--json"});
    EXPECT_EQ(json.exitCode, kExitFailed);
    EXPECT_EQ(json.out, "{\"ok\":false,\"device\":\"127.0.0.6\",\"file\":\"" + csv + "\",\"lines\":[{\"line\":1,"
                        "\"result\":\"refused\",\"message\":\"expected 2 to 7 columns: name, network path, user, format, "
                        "resolution, color, size\"},{\"line\":3,\"result\":\"refused\",\"message\":\"the name share is on "
                        "line 2 already\"}],\"error\":{\"code\":\"failed\",\"exitCode\":1,\"message\":\"" + csv +
                        ": 2 line(s) above cannot be imported; nothing was imported\"}}\n");

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
