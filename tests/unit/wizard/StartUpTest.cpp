// Start-up: log, language folder, the simple-file-sharing check, the first page.
#include "WizardFixture.h"

#include "wizard/CQuilletApp.h"

#include "common/localization/LanguageCode.h"
#include "common/log/ProgramLog.h"

#include "platform/core/RegistryValues.h"
#include "platform/core/SystemInfo.h"
#include "support/LogCapture.h"
#include "support/ScriptedMessageBoxes.h"
#include "unit/localization/FixedLocale.h"

namespace {

const CString kLsa = u"SYSTEM\\CurrentControlSet\\Control\\Lsa";

class ModuleFolderAt : public platform::ISystemInfo {
public:
    explicit ModuleFolderAt(CString folder) : m_folder(std::move(folder)), m_use(*this) {}
    bool GetComputerName(CString& name) override { name = u"TARROW-TEST"; return true; }
    CString GetModuleFolder() override { return m_folder; }

private:
    CString m_folder;
    platform::ScopedService<platform::ISystemInfo> m_use;
};

class StartUp : public WizardFixture {
protected:
    ModuleFolderAt module{u"C:\\Tarrow"};
    ScriptedMessageBoxes boxes;
};

TEST_F(StartUp, LogsEachStepAndShowsWelcome)
{
    FixedLocale english(1033);
    LogCapture log;
    host.PressEscape();
    EXPECT_FALSE(CQuilletApp(state).InitInstance());
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                               "",
                               "",
                               "Starting Norvik Send To Folder program.",
                               "HTML C:\\Tarrow",
                               "CWelcomeDlg::OnInitDialog: RegOpenKeyEx() returned 2",
                               "Entering Welcome dialog.",
                           }));
    EXPECT_EQ(host.PagesShown(), std::vector<std::string>{"Welcome"});
    EXPECT_EQ(state.moduleFolder, u"C:\\Tarrow");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(StartUp, StartsANewLog)
{
    std::ofstream(Posix(kLogFilePath)) << "earlier run\n";
    FixedLocale english(1033);
    host.PressEscape();
    CQuilletApp(state).InitInstance();
    std::ifstream in(Posix(kLogFilePath));
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "");
}

struct LanguageCase {
    platform::LANGID language;
    bool folderExists;
    const char16_t* chosen;
};

class StartUpLanguage : public StartUp, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(StartUpLanguage, FolderOfTheLanguageElseEnglish)
{
    FixedLocale locale(GetParam().language);
    CString code = ChooseLanguageCode(GetParam().language);
    if (GetParam().folderExists)
        WritePageFile(code, u"Welcome");
    host.PressEscape();
    CQuilletApp(state).InitInstance();
    EXPECT_EQ(state.languageCode, GetParam().chosen);
    EXPECT_EQ(host.Windows()[0]->rightToLeft, CString(GetParam().chosen) == u"HEWW");
}

INSTANTIATE_TEST_SUITE_P(Wizard, StartUpLanguage, ::testing::Values(
    LanguageCase{1031, true, u"DEWW"}, LanguageCase{1031, false, u"ENWW"},
    LanguageCase{1037, true, u"HEWW"}, LanguageCase{1037, false, u"ENWW"},
    LanguageCase{1033, true, u"ENWW"}),
    [](const auto& info) {
        return "Language" + std::to_string(info.param.language) + (info.param.folderExists ? "WithFolder" : "WithoutFolder");
    });

struct SharingCase {
    const char* name;
    bool key;
    const char* value;   // nullptr: no value file
    int answer;          // to the known-issue question
    bool goesOn;
    std::vector<std::string> logLines; // the check's own lines
    bool boxShown;
};

const SharingCase kSharing[] = {
    {"NoKey", false, nullptr, 0, true, {"CWelcomeDlg::OnInitDialog: RegOpenKeyEx() returned 2"}, false},
    {"NoValue", true, nullptr, 0, true, {"CWelcomeDlg::OnInitDialog: RegQueryValueEx() returned 2"}, false},
    {"NotANumber", true, "on", 0, true, {"CWelcomeDlg::OnInitDialog: RegQueryValueEx() returned 13"}, false},
    {"Off", true, "0", 0, true, {}, false},
    {"OnAnswerYes", true, "1", platform::IDYES, true, {}, true},
    {"OnAnswerNo", true, "1", platform::IDNO, false, {}, true},
};

class SimpleFileSharing : public StartUp, public ::testing::WithParamInterface<SharingCase> {};

TEST_P(SimpleFileSharing, DecidesWhetherTheWizardRuns)
{
    const SharingCase& c = GetParam();
    auto folder = Posix(u"C:\\registry\\HKEY_LOCAL_MACHINE\\" + kLsa);
    if (c.key)
        std::filesystem::create_directories(folder);
    if (c.value)
        std::ofstream(folder / "forceguest") << c.value << "\n";
    if (c.answer)
        boxes.Answer(c.answer);
    FixedLocale english(1033);
    ProgramLog().Open(kLogFilePath);
    LogCapture log;
    EXPECT_EQ(CheckSimpleFileSharing(), c.goesOn);
    std::vector<std::string> lines;
    for (const auto& line : log.Lines())
        if (line.rfind("Quillet:ShowMessageBox", 0) != 0)
            lines.push_back(line);
    EXPECT_EQ(lines, c.logLines);
    ASSERT_EQ(boxes.Shown().size(), c.boxShown ? 1u : 0u);
    if (c.boxShown) {
        EXPECT_EQ(boxes.Shown()[0].text,
                  "Scanning to shared folders on this machine will not work \nbecause Simple File Sharing is enabled "
                  "on this machine.\n\nRefer to Known Issues number 4 in the Scan Setup Readme\nfor more "
                  "information.\n\nDo you want to continue?");
        EXPECT_EQ(boxes.Shown()[0].style, platform::MB_YESNO | platform::MB_ICONWARNING | platform::MB_DEFBUTTON2);
    }
}

INSTANTIATE_TEST_SUITE_P(Wizard, SimpleFileSharing, ::testing::ValuesIn(kSharing),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUp, AnsweringNoShowsNoPage)
{
    platform::Use<platform::IRegistryValues>().SetDword(platform::kLocalMachine, kLsa, u"forceguest", 1);
    boxes.Answer(platform::IDNO);
    FixedLocale english(1033);
    EXPECT_FALSE(CQuilletApp(state).InitInstance());
    EXPECT_TRUE(host.Windows().empty());
}

TEST_F(StartUp, RegistryValueWrittenIsReadBack)
{
    auto& registry = platform::Use<platform::IRegistryValues>();
    std::uint32_t value = 7;
    EXPECT_EQ(registry.QueryDword(platform::kLocalMachine, kLsa, u"forceguest", value), 2);
    EXPECT_EQ(registry.SetDword(platform::kLocalMachine, kLsa, u"forceguest", 4294967295u), 0);
    EXPECT_EQ(registry.OpenKey(platform::kLocalMachine, kLsa), 0);
    EXPECT_EQ(registry.QueryDword(platform::kLocalMachine, kLsa, u"forceguest", value), 0);
    EXPECT_EQ(value, 4294967295u);
    EXPECT_EQ(registry.QueryDword(platform::kLocalMachine, kLsa, u"other", value), 2);
}

} // namespace
