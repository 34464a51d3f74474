// The real page folders beside the programs on the WebKitGTK host: every page loads and paints in
// English and Hebrew, every element that its page class binds or clicks is there, a click on each
// click target reaches the page's event map, and the Hebrew pages are mirrored. A screenshot of
// each page goes to the artifacts folder.
#include "WebKitFixture.h"

#include "wizard/CCancelDlg.h"
#include "wizard/CConfirmAddDlg.h"
#include "wizard/CConfirmDeleteDlg.h"
#include "wizard/CDeleteFinishDlg.h"
#include "wizard/CFailureDlg.h"
#include "wizard/CFinishDlg.h"
#include "wizard/CFolderNameDlg.h"
#include "wizard/CProgressDlg.h"
#include "wizard/CScanOptionsDlg.h"
#include "wizard/CSelectOpDlg.h"
#include "wizard/CUserCredentialsDlg.h"
#include "wizard/CWelcomeDlg.h"

#include "support/WaitFor.h"

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

struct PageCase {
    std::string name;
    std::vector<std::string> bound;    // ids the page class reads or writes
    std::vector<std::string> clicked;  // ids of its click map
};

template <class Page>
PageCase Case(const char* name)
{
    PageCase c{name, {}, {}};
    for (const auto& binding : Page::Bindings())
        c.bound.push_back(CString(binding.id).ToUtf8());
    for (const auto& click : Page::Clicks())
        c.clicked.push_back(CString(click.id).ToUtf8());
    return c;
}

std::vector<PageCase> AllPages()
{
    return {
        Case<CWelcomeDlg>("Welcome"),
        Case<CSelectOpDlg>("SelectOp"),
        Case<CFolderNameDlg>("FolderName"),
        Case<CUserCredentialsDlg>("UserCredentials"),
        Case<CScanOptionsDlg>("ScanOptions"),
        Case<CConfirmAddDlg>("ConfirmAdd"),
        Case<CProgressDlg>("Progress"),
        Case<CFinishDlg>("Finish"),
        Case<CFailureDlg>("Error"),
        Case<CCancelDlg>("Cancel"),
        Case<CConfirmDeleteDlg>("ConfirmDelete"),
        Case<CDeleteFinishDlg>("DeleteFinish"),
        // The discovery program's pages: their ids are checked statically (pages_test).
        {"NetworkDiscoveryProgress", {}, {"ButtonStopSearching"}},
        {"NetworkDiscoveryFinish", {"SelectedDevice"}, {"ButtonNext"}},
    };
}

// Any page by name; records the clicks that reach its event map.
class ProbePage : public CBaseDlg {
public:
    // The base copies the name.
    ProbePage(WizardState& state, const std::string& name) : CBaseDlg(state, CString::FromUtf8(name).str().c_str()) {}
    std::vector<std::string> clicks;

protected:
    bool OnClick(const CString& id) override
    {
        clicks.push_back(id.ToUtf8());
        return true;
    }
};

std::string JsArray(const std::vector<std::string>& ids)
{
    std::string list = "[";
    for (const auto& id : ids)
        list += "'" + id + "',";
    return list + "]";
}

class RealPages : public WebKitFixture, public ::testing::WithParamInterface<const char*> {
protected:
    RealPages() { state.moduleFolder = CString::FromUtf8(TARROW_PAGES_BIN_DIR); }
};

} // namespace

TEST_P(RealPages, EveryPageLoadsWithItsElementsAndClicks)
{
    const std::string language = GetParam();
    state.languageCode = CString::FromUtf8(language);
    for (const PageCase& c : AllPages()) {
        SCOPED_TRACE(c.name + " " + language);
        ProbePage page(state, c.name);
        std::string png = ArtifactPath(c.name + "-" + language + ".png");
        std::filesystem::remove(png);
        std::string missing, dir, order;
        WhenRunning([&] {
            if (!platform::WaitForPaint(*page.Window())) {
                ADD_FAILURE() << "not painted";
                page.EndDialog(platform::kPageCancel);
                return;
            }
            EXPECT_TRUE(platform::SavePageSnapshot(*page.Window(), png));
            std::vector<std::string> ids = c.bound;
            ids.insert(ids.end(), c.clicked.begin(), c.clicked.end());
            missing = Js(page, "return " + JsArray(ids) + ".filter(id => !document.getElementById(id)).join(' ');");
            dir = Js(page, "return getComputedStyle(document.body).direction;");
            order = Js(page, "var n = document.getElementById('ButtonNext'), c = document.getElementById('ButtonCancel');"
                             " if (!n || !c || !n.offsetWidth || !c.offsetWidth) return 'none';"
                             " return n.getBoundingClientRect().left < c.getBoundingClientRect().left ? 'next-first' : 'cancel-first';");
            // Disabled buttons take no clicks: enable each before clicking it.
            Js(page, "for (const id of " + JsArray(c.clicked) + ") { const e = document.getElementById(id);"
                     " if (e) { e.disabled = false; e.click(); } } return true;");
            EXPECT_TRUE(WaitFor([&] { Js(page, "return 1;"); return page.clicks.size() >= c.clicked.size(); },
                                std::chrono::seconds(5)));
            page.EndDialog(platform::kPageOk);
        });
        page.DoModal();
        EXPECT_EQ(missing, "");
        EXPECT_EQ(dir, language == "HEWW" ? "rtl" : "ltr");
        if (order != "none") {
            EXPECT_EQ(order, language == "HEWW" ? "next-first" : "cancel-first");
        }
        EXPECT_EQ(page.clicks, c.clicked);
        int width = 0, height = 0;
        EXPECT_GE(Colours(png, width, height), 3u) << png;
        EXPECT_EQ(width, 688);
        EXPECT_EQ(height, 520);
    }
}

// Real keys (xdotool) on the Welcome page: Tab runs top to bottom and wraps, Enter presses the
// focused button, and Cancel stays reachable above the busy cover.
TEST_P(RealPages, TheWelcomePagesKeysAndItsCoverLeaveCancelUsable)
{
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xdotool not installed";
    state.languageCode = CString::FromUtf8(GetParam());
    ProbePage page(state, "Welcome");
    std::vector<std::string> visited;
    std::string onCancel;
    bool pressed = false;
    WhenRunning([&] {
        ASSERT_TRUE(platform::WaitForPaint(*page.Window()));
        std::string focused = Js(page, "return document.activeElement.id;");
        visited.push_back(focused);
        for (int n = 0; n < 10; ++n) {
            ASSERT_EQ(std::system("xdotool key Tab"), 0);
            std::string now;
            WaitFor([&] { now = Js(page, "return document.activeElement ? document.activeElement.id : '';"); return now != focused; },
                    std::chrono::seconds(2));
            focused = now;
            visited.push_back(focused);
        }
        Js(page, "document.getElementById('ButtonCancel').focus(); return true;");
        ASSERT_EQ(std::system("xdotool key Return"), 0);
        pressed = WaitFor([&] { Js(page, "return 1;"); return !page.clicks.empty(); }, std::chrono::seconds(5));
        onCancel = Js(page, "document.getElementById('Overlay').className = 'OverlayShow';"
                            " var r = document.getElementById('ButtonCancel').getBoundingClientRect();"
                            " return document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2).id;");
        page.EndDialog(platform::kPageOk);
    });
    page.DoModal();
    EXPECT_EQ(visited, (std::vector<std::string>{"textbox-IPAddress", "radio-HostName", "textbox-HostName", "radio-MAC",
                                                 "textbox-MAC", "Link-HelpIP", "Link-NetworkDiscovery", "ButtonCancel",
                                                 "ButtonNext", "radio-IPAddress", "textbox-IPAddress"}));
    EXPECT_TRUE(pressed);
    EXPECT_EQ(page.clicks, std::vector<std::string>{"ButtonCancel"});
    EXPECT_EQ(onCancel, "ButtonCancel");
}

INSTANTIATE_TEST_SUITE_P(WebKit, RealPages, ::testing::Values("ENWW", "DEWW", "HEWW"),
                         [](const auto& info) { return std::string(info.param); });
