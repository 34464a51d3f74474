// The page chain: which click leads to which page, how pages nest and end, where they open.
#include "WizardFixture.h"

#include "common/log/ProgramLog.h"
#include "support/LogCapture.h"

#include <thread>

using platform::PageProperty;

namespace {

struct ChainCase {
    const char* name;
    PageId start;
    std::vector<const char16_t*> clicks;
    std::vector<std::string> pages; // shown, in order
};

// Each run ends with Esc on the last page unless the clicks ended it.
const ChainCase kChains[] = {
    {"WelcomeCancelThenNext", PageId::Welcome, {u"ButtonCancel", u"ButtonNext"}, {"Welcome", "Cancel"}},
    {"SelectOpBack", PageId::SelectOp, {u"ButtonBack"}, {"SelectOp", "Welcome"}},
    {"SelectOpCancel", PageId::SelectOp, {u"ButtonCancel"}, {"SelectOp", "Cancel"}},
    {"FolderNameBack", PageId::FolderName, {u"ButtonBack"}, {"FolderName", "SelectOp"}},
    {"FolderNameCancel", PageId::FolderName, {u"ButtonCancel"}, {"FolderName", "Cancel"}},
    {"FolderNameEditStays", PageId::FolderName, {u"Link-Edit"}, {"FolderName"}},
    {"CredentialsBack", PageId::UserCredentials, {u"ButtonBack"}, {"UserCredentials", "FolderName"}},
    {"CredentialsCancel", PageId::UserCredentials, {u"ButtonCancel"}, {"UserCredentials", "Cancel"}},
    {"ScanOptionsBack", PageId::ScanOptions, {u"ButtonBack"}, {"ScanOptions", "UserCredentials"}},
    {"ScanOptionsNext", PageId::ScanOptions, {u"ButtonNext"}, {"ScanOptions", "ConfirmAdd"}},
    {"ScanOptionsCancel", PageId::ScanOptions, {u"ButtonCancel"}, {"ScanOptions", "Cancel"}},
    {"ConfirmAddBack", PageId::ConfirmAdd, {u"ButtonBack"}, {"ConfirmAdd", "ScanOptions"}},
    {"ConfirmAddCreate", PageId::ConfirmAdd, {u"ButtonCreate"}, {"ConfirmAdd", "Progress"}},
    {"ConfirmAddCancel", PageId::ConfirmAdd, {u"ButtonCancel"}, {"ConfirmAdd", "Cancel"}},
    {"FinishDoAgain", PageId::Finish, {u"ButtonDoAgain"}, {"Finish", "Welcome"}},
    {"DeleteFinishDoAgain", PageId::DeleteFinish, {u"ButtonDoAgain"}, {"DeleteFinish", "Welcome"}},
    {"ConfirmDeleteBack", PageId::ConfirmDelete, {u"ButtonBack"}, {"ConfirmDelete", "SelectOp"}},
    {"ConfirmDeleteCancel", PageId::ConfirmDelete, {u"ButtonCancel"}, {"ConfirmDelete", "Cancel"}},
    {"ErrorLogLinkStays", PageId::Error, {u"LinkLog"}, {"Error"}},
    {"WholeAddRoadBackwards", PageId::ConfirmAdd,
     {u"ButtonBack", u"ButtonBack", u"ButtonBack", u"ButtonBack", u"ButtonBack", u"ButtonCancel", u"ButtonNext"},
     {"ConfirmAdd", "ScanOptions", "UserCredentials", "FolderName", "SelectOp", "Welcome", "Cancel"}},
};

class PageChain : public WizardFixture, public ::testing::WithParamInterface<ChainCase> {};

TEST_P(PageChain, ClicksLeadToPages)
{
    for (const char16_t* id : GetParam().clicks)
        host.Click(id);
    host.PressEscape();
    RunPage(state, GetParam().start);
    EXPECT_EQ(host.PagesShown(), GetParam().pages);
    EXPECT_EQ(host.TimeOuts(), 0);
    for (const auto& window : host.Windows())
        EXPECT_TRUE(window->ended);
}

INSTANTIATE_TEST_SUITE_P(Wizard, PageChain, ::testing::ValuesIn(kChains),
                         [](const auto& info) { return std::string(info.param.name); });

// Next on these pages closes the page with OK: the wizard ends, no page follows.
class ClosingPage : public WizardFixture, public ::testing::WithParamInterface<PageId> {};

TEST_P(ClosingPage, NextEndsWithOk)
{
    host.Click(u"ButtonNext");
    EXPECT_EQ(RunPage(state, GetParam()), platform::kPageOk);
    EXPECT_EQ(host.PagesShown().size(), 1u);
    EXPECT_EQ(host.TimeOuts(), 0);
}

INSTANTIATE_TEST_SUITE_P(Wizard, ClosingPage,
                         ::testing::Values(PageId::Finish, PageId::DeleteFinish, PageId::Error, PageId::Cancel));

TEST_F(WizardFixture, NextPageRunsInsideTheEndedPage)
{
    bool outerEndedFirst = false;
    host.Click(u"ButtonCancel");
    host.Then([&](platform::MemoryPageWindow& cancel) {
        outerEndedFirst = host.Windows()[0]->ended && host.Windows()[0]->result == platform::kPageOk && !cancel.IsEnded();
    });
    host.Click(u"ButtonNext");
    EXPECT_EQ(RunPage(state, PageId::Welcome), platform::kPageOk);
    EXPECT_TRUE(outerEndedFirst);
    ASSERT_EQ(host.Windows().size(), 2u);
    EXPECT_EQ(host.Windows()[1]->result, platform::kPageOk);
}

TEST_F(WizardFixture, EachPageOpensWhereTheLastOneWas)
{
    host.Then([](platform::MemoryPageWindow& w) { w.MoveWindow({120, 80, 688, 520}); }); // the user drags it
    host.Click(u"ButtonCancel");
    host.PressEscape();
    RunPage(state, PageId::Welcome);
    ASSERT_EQ(host.Windows().size(), 2u);
    EXPECT_EQ(host.Windows()[0]->outer.left, 120);
    EXPECT_EQ(host.Windows()[1]->outer.left, 120);
    EXPECT_EQ(host.Windows()[1]->outer.top, 80);
    EXPECT_EQ(state.posX, 120);
    EXPECT_EQ(state.posY, 80);
}

TEST_F(WizardFixture, FirstPageOpensAtTheStoredPosition)
{
    host.PressEscape();
    RunPage(state, PageId::Welcome);
    EXPECT_EQ(host.Windows()[0]->outer.left, 0);
    EXPECT_EQ(host.Windows()[0]->outer.top, 0);
    EXPECT_EQ(host.Windows()[0]->moves, 1);
}

TEST_F(WizardFixture, EnterReadsThePageAndNeverClosesIt)
{
    bool stillOpen = false;
    host.Type(u"textbox-IPAddress", u"192.168.1.20");
    host.PressEnter();
    host.Then([&](platform::MemoryPageWindow& w) { stillOpen = !w.IsEnded(); });
    host.PressEscape();
    EXPECT_EQ(RunPage(state, PageId::Welcome), platform::kPageCancel);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(state.ipText, u"192.168.1.20");
    EXPECT_EQ(host.PagesShown(), std::vector<std::string>{"Welcome"});
}

TEST_F(WizardFixture, EscapeAndCloseBoxEndWithCancelAndNoCancelPage)
{
    host.PressCloseBox();
    EXPECT_EQ(RunPage(state, PageId::SelectOp), platform::kPageCancel);
    EXPECT_EQ(host.PagesShown(), std::vector<std::string>{"SelectOp"});
}

// Pages log "Entering <page> dialog." on opening; Error and Cancel log nothing.
class EnteringLine : public WizardFixture, public ::testing::WithParamInterface<PageInfo> {};

TEST_P(EnteringLine, WrittenByEveryPageButErrorAndCancel)
{
    ProgramLog().Open(kLogFilePath);
    LogCapture log;
    host.PressEscape();
    RunPage(state, GetParam().id);
    std::string name = CString(GetParam().name).ToUtf8();
    std::vector<std::string> lines = log.Lines();
    if (name == "Error" || name == "Cancel")
        EXPECT_EQ(lines, std::vector<std::string>{});
    else
        EXPECT_EQ(lines.empty() ? "<none>" : lines.front(), "Entering " + name + " dialog.");
}

INSTANTIATE_TEST_SUITE_P(Wizard, EnteringLine, ::testing::ValuesIn(PageCatalogue().begin(), PageCatalogue().end()),
                         [](const auto& info) { return CString(info.param.name).ToUtf8(); });

} // namespace
