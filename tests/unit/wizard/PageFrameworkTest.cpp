// CBaseDlg: the page start (size, direction, page file), data exchange through the binding
// tables, and messages from worker threads.
#include "WizardFixture.h"

#include "wizard/WizardMessages.h"

#include <cstdlib>
#include <thread>

using platform::PageProperty;

namespace {

struct SizeCase {
    platform::ScreenMetrics screen;
    platform::ScreenRect outer;
};

class PageSize : public WizardFixture, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(PageSize, ScaledClientAreaPlusFrame)
{
    host.metrics = GetParam().screen;
    state.posX = 30;
    state.posY = 40;
    host.PressEscape();
    RunPage(state, PageId::Welcome);
    const platform::ScreenRect& outer = host.Windows()[0]->outer;
    EXPECT_EQ(outer.left, 30);
    EXPECT_EQ(outer.top, 40);
    EXPECT_EQ(outer.width, GetParam().outer.width);
    EXPECT_EQ(outer.height, GetParam().outer.height);
}

INSTANTIATE_TEST_SUITE_P(Wizard, PageSize, ::testing::Values(
    SizeCase{{96, 96, 0, 0}, {0, 0, 688, 520}},
    SizeCase{{144, 144, 4, 23}, {0, 0, 1032 + 8, 780 + 23 + 8}},
    SizeCase{{120, 96, 3, 20}, {0, 0, 860 + 6, 520 + 20 + 6}},
    SizeCase{{97, 97, 0, 0}, {0, 0, 695, 525}}), // 695.16 and 525.41 cut toward zero
    [](const auto& info) { return "Dpi" + std::to_string(info.param.screen.dpiX) + "x" + std::to_string(info.param.screen.dpiY); });

struct DirectionCase {
    const char16_t* language;
    bool rightToLeft;
};

class PageDirection : public WizardFixture, public ::testing::WithParamInterface<DirectionCase> {};

TEST_P(PageDirection, RightToLeftOnlyForArabicAndHebrew)
{
    state.languageCode = GetParam().language;
    WritePageFile(GetParam().language, u"Cancel");
    host.PressEscape();
    RunPage(state, PageId::Cancel);
    EXPECT_EQ(host.Windows()[0]->rightToLeft, GetParam().rightToLeft);
    EXPECT_EQ(host.Windows()[0]->file, u"C:\\Tarrow\\" + CString(GetParam().language) + u"\\Cancel.htm");
}

INSTANTIATE_TEST_SUITE_P(Wizard, PageDirection, ::testing::Values(
    DirectionCase{u"HEWW", true}, DirectionCase{u"ARWW", true}, DirectionCase{u"DEWW", false},
    DirectionCase{u"ENWW", false}),
    [](const auto& info) { return CString(info.param.language).ToUtf8(); });

TEST_F(WizardFixture, CaptionIconAndUrl)
{
    host.PressEscape();
    CBaseDlg* seen = nullptr;
    std::unique_ptr<CBaseDlg> page = PageCatalogue()[static_cast<int>(PageId::FolderName)].make(state);
    seen = page.get();
    page->DoModal();
    EXPECT_EQ(seen->Url(), u"file://C:\\Tarrow\\ENWW\\FolderName.htm");
    EXPECT_EQ(host.Windows()[0]->caption, u"Scan Setup Wizard");
    EXPECT_EQ(host.Windows()[0]->icon, u"C:\\Tarrow\\Images\\Tarrow.png");
}

TEST_F(WizardFixture, MissingPageFileLeavesTheWindowEmpty)
{
    std::filesystem::remove(Posix(u"C:\\Tarrow\\ENWW\\Cancel.htm"));
    host.Click(u"ButtonNext"); // nothing to click on an empty page
    host.PressEscape();
    EXPECT_EQ(RunPage(state, PageId::Cancel), platform::kPageCancel);
    EXPECT_EQ(host.Windows()[0]->file, u"");
    EXPECT_TRUE(host.Windows()[0]->document.empty());
}

TEST_F(WizardFixture, RefreshWritesStateAndPageTexts)
{
    state.ipText = u"10.0.0.5";
    state.hostText = u"printer-3";
    state.addressKind = u"HostName";
    host.PressEscape();
    RunPage(state, PageId::Welcome);
    const auto& page = *host.Windows()[0];
    EXPECT_EQ(Prop(page, u"textbox-IPAddress", PageProperty::Value), "10.0.0.5");
    EXPECT_EQ(Prop(page, u"textbox-HostName", PageProperty::Value), "printer-3");
    EXPECT_EQ(Prop(page, u"radio-HostName", PageProperty::Checked), "checked");
    EXPECT_EQ(Prop(page, u"radio-IPAddress", PageProperty::Checked), "");
    EXPECT_EQ(Prop(page, u"radio-MAC", PageProperty::Checked), "");
    EXPECT_EQ(Prop(page, u"ButtonNext", PageProperty::Disabled), "");
}

TEST_F(WizardFixture, EmptyAddressKindChecksTheIpRadio)
{
    host.PressEscape();
    RunPage(state, PageId::Welcome);
    EXPECT_EQ(state.addressKind, u"IPAddress");
    EXPECT_EQ(Prop(*host.Windows()[0], u"radio-IPAddress", PageProperty::Checked), "checked");
}

TEST_F(WizardFixture, SelectIndexesBothWays)
{
    host.Then([&](platform::MemoryPageWindow& w) {
        // The refresh wrote the run's initial choices.
        EXPECT_EQ(Prop(w.Record(), u"ScanTypeSelection", PageProperty::SelectedIndex), "1");
        EXPECT_EQ(Prop(w.Record(), u"ResolutionSelection", PageProperty::SelectedIndex), "4");
        EXPECT_EQ(Prop(w.Record(), u"DocumentTypeSelection", PageProperty::SelectedIndex), "0");
        EXPECT_EQ(Prop(w.Record(), u"QualitySelection", PageProperty::SelectedIndex), "1");
    });
    host.Set(u"ResolutionSelection", PageProperty::SelectedIndex, u"2");
    host.Set(u"QualitySelection", PageProperty::SelectedIndex, u"-1");
    host.PressEnter();
    host.PressEscape();
    RunPage(state, PageId::ScanOptions);
    EXPECT_EQ(state.resolutionIndex, 2);
    EXPECT_EQ(state.qualityIndex, -1);
    EXPECT_EQ(state.scanTypeIndex, 1);
}

// The first step runs from the start; the two others wait, blank (the start delay is still on
// when Esc ends the page).
TEST_F(WizardFixture, ImageSourcesStartWithTheFirstStepRunning)
{
    host.PressEscape();
    RunPage(state, PageId::Progress);
    EXPECT_EQ(Prop(*host.Windows()[0], u"Step1Image", PageProperty::Src), "../Images/PresentFocus.bmp");
    for (const char16_t* id : {u"Step2Image", u"Step3Image"})
        EXPECT_EQ(Prop(*host.Windows()[0], id, PageProperty::Src), "../Images/Blank.bmp");
}

TEST_F(WizardFixture, ReadingTakesFlagsAsTextsAndSkipsMissingElements)
{
    platform::MemoryDocument credentials;
    for (const char16_t* id : {u"textbox-Domain", u"textbox-UserName", u"checkbox-Status", u"ButtonNext"})
        credentials[id];
    host.DefinePage(u"UserCredentials", credentials); // no password box
    state.password = u"kept";
    host.Type(u"textbox-UserName", u"scanner");
    host.Set(u"checkbox-Status", PageProperty::Checked, u"yes");
    host.PressEnter();
    host.PressEscape();
    RunPage(state, PageId::UserCredentials);
    EXPECT_EQ(state.userName, u"scanner");
    EXPECT_EQ(state.credentialsChecked, u"checked");
    EXPECT_EQ(state.password, u"kept");
}

TEST_F(WizardFixture, ShortcutClickTogglesWithoutReadingThePage)
{
    host.Set(u"textbox-Location", PageProperty::Value, u"D:\\typed");
    host.Click(u"checkbox-Shortcut");
    host.PressEscape();
    RunPage(state, PageId::FolderName);
    EXPECT_EQ(state.shortcutChecked, u"checked");
    // The location is the page's proposal, not what was typed.
    EXPECT_EQ(state.location, CString::FromUtf8(std::getenv("HOME")) + u"\\Norvik_Scans\\");
}

// A page that records the messages its window procedure gets.
class MessagePage : public CBaseDlg {
public:
    explicit MessagePage(WizardState& state) : CBaseDlg(state, u"Welcome") {}
    std::vector<unsigned> messages;
    std::thread::id handlerThread;

protected:
    int OnInitDialog() override
    {
        CBaseDlg::OnInitDialog();
        State().windowHandle = MessageTarget();
        return 1;
    }
    void WindowProc(unsigned message) override
    {
        messages.push_back(message);
        handlerThread = std::this_thread::get_id();
        if (message == WM_WORK_DONE)
            EndDialog(platform::kPageOk);
    }
};

TEST_F(WizardFixture, WorkerMessagesArriveOnThePageThread)
{
    MessagePage page(state);
    std::thread worker;
    host.Then([&](platform::MemoryPageWindow&) {
        worker = std::thread([target = state.windowHandle] {
            target->PostMessage(WM_COMPUTER_DONE, 0, 0);
            target->PostMessage(WM_WORK_DONE, 0, 0);
        });
    });
    EXPECT_EQ(page.DoModal(), platform::kPageOk);
    worker.join();
    EXPECT_EQ(page.messages, (std::vector<unsigned>{WM_COMPUTER_DONE, WM_WORK_DONE}));
    EXPECT_EQ(page.handlerThread, std::this_thread::get_id());
    EXPECT_EQ(host.TimeOuts(), 0);
}

} // namespace
