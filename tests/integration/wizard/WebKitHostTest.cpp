// The WebKitGTK page host with a page class of its own: bindings, clicks, messages, keys,
// snapshots and the right-to-left layout.
#include "WebKitFixture.h"

#include "support/WaitFor.h"
#include "wizard/WizardMessages.h"

#include <cstdlib>
#include <set>
#include <thread>

using platform::PageProperty;

namespace {

// A page with one binding of every property kind.
class HostPage : public CBaseDlg {
public:
    explicit HostPage(WizardState& state) : CBaseDlg(state, u"Host") {}

    static std::span<const Binding<HostPage>> Bindings()
    {
        using enum PageProperty;
        static constexpr Binding<HostPage> kBindings[] = {
            PageText<HostPage>(u"textbox-Name", Value, &HostPage::name),
            PageText<HostPage>(u"Label", InnerText, &HostPage::label),
            PageText<HostPage>(u"ButtonNext", Disabled, &HostPage::nextDisabled),
            PageText<HostPage>(u"checkbox-Flag", Checked, &HostPage::flag),
            PageText<HostPage>(u"Step1Image", Src, &HostPage::image),
            StateNumber<HostPage>(u"Choice", SelectedIndex, &WizardState::qualityIndex),
        };
        return kBindings;
    }
    static std::span<const ClickHandler<HostPage>> Clicks()
    {
        static constexpr ClickHandler<HostPage> kClicks[] = {
            {u"ButtonNext", &HostPage::OnNext},
            {u"Link-Help", &HostPage::OnHelp},
        };
        return kClicks;
    }

    CString name, label, nextDisabled, flag, image;
    std::vector<std::string> clicks;
    std::string hashAtNext = "<unset>";
    std::vector<unsigned> messages;
    std::thread::id messageThread;

protected:
    int OnInitDialog() override
    {
        int found = CBaseDlg::OnInitDialog();
        State().windowHandle = MessageTarget();
        return found;
    }
    void DoDataExchange(bool save) override { Exchange(save, *this, Bindings()); }
    bool OnClick(const CString& id) override { return Dispatch(*this, Clicks(), id); }
    void WindowProc(unsigned message) override
    {
        messages.push_back(message);
        messageThread = std::this_thread::get_id();
        if (message == WM_WORK_DONE)
            EndDialog(platform::kPageOk);
    }

private:
    void OnNext()
    {
        clicks.push_back("ButtonNext");
        hashAtNext = Js(*this, "return location.hash;");
        EndDialog(platform::kPageOk);
    }
    void OnHelp() { clicks.push_back("Link-Help"); }

    static std::string Js(CBaseDlg& page, const std::string& body)
    {
        std::string result;
        platform::EvaluateInPage(*page.Window(), body, result);
        return result;
    }
};

using WebKitHost = WebKitFixture;

TEST_F(WebKitHost, BindingsBothWays)
{
    HostPage page(state);
    WhenRunning([&] {
        page.UpdateData(true);
        EXPECT_EQ(page.name, u"typed before");
        EXPECT_EQ(page.label, u"label text");
        EXPECT_EQ(page.nextDisabled, u"");
        EXPECT_EQ(page.flag, u"checked");
        EXPECT_EQ(page.image, u"../Images/Blank.bmp");
        EXPECT_EQ(state.qualityIndex, 0);

        page.name = u"Gr\u00fc\u00dfe \"quoted\" \\ back\u2028line";
        page.label = u"\u05e9\u05dc\u05d5\u05dd <b>not bold</b>";
        page.nextDisabled = u"disabled";
        page.flag = u"";
        page.image = u"../Images/Success.bmp";
        state.qualityIndex = 2;
        page.UpdateData(false);
        EXPECT_EQ(Js(page, "return document.getElementById('textbox-Name').value;"), "Gr\u00fc\u00dfe \"quoted\" \\ back\u2028line");
        EXPECT_EQ(Js(page, "return document.getElementById('Label').textContent;"), "\u05e9\u05dc\u05d5\u05dd <b>not bold</b>");
        EXPECT_EQ(Js(page, "return document.getElementById('ButtonNext').disabled;"), "true");
        EXPECT_EQ(Js(page, "return document.getElementById('checkbox-Flag').checked;"), "false");
        EXPECT_EQ(Js(page, "return document.getElementById('Step1Image').getAttribute('src');"), "../Images/Success.bmp");
        EXPECT_EQ(Js(page, "return document.getElementById('Choice').value;"), "c");

        CString text;
        EXPECT_TRUE(page.GetElementProperty(u"Choice", PageProperty::SelectedIndex, text));
        EXPECT_EQ(text, u"2");
        EXPECT_FALSE(page.GetElementProperty(u"NoSuchElement", PageProperty::Value, text));
        EXPECT_TRUE(page.SetElementAttribute(u"Overlay", u"className", u"OverlayShow"));
        EXPECT_EQ(Js(page, "return document.getElementById('Overlay').className;"), "OverlayShow");
        EXPECT_TRUE(page.SetFocusTo(u"textbox-Name"));
        EXPECT_EQ(Js(page, "return document.activeElement.id;"), "textbox-Name");
        page.EndDialog(platform::kPageOk);
    });
    EXPECT_EQ(page.DoModal(), platform::kPageOk);
}

TEST_F(WebKitHost, ScriptClicksReachTheirHandlersAndLinksStay)
{
    HostPage page(state);
    WhenRunning([&] {
        Js(page, "document.getElementById('Link-Help').click(); document.getElementById('Label').click();"
                 " document.getElementById('ButtonNext').click(); return true;");
    });
    EXPECT_EQ(page.DoModal(), platform::kPageOk);
    EXPECT_EQ(page.clicks, (std::vector<std::string>{"Link-Help", "ButtonNext"}));
    EXPECT_EQ(page.hashAtNext, "");
}

TEST_F(WebKitHost, WorkerMessageArrivesOnThePageThread)
{
    HostPage page(state);
    std::thread worker;
    WhenRunning([&] {
        worker = std::thread([target = state.windowHandle] {
            target->PostMessage(WM_DEVICE_DONE, 0, 0);
            target->PostMessage(WM_WORK_DONE, 0, 0);
        });
    });
    EXPECT_EQ(page.DoModal(), platform::kPageOk);
    worker.join();
    EXPECT_EQ(page.messages, (std::vector<unsigned>{WM_DEVICE_DONE, WM_WORK_DONE}));
    EXPECT_EQ(page.messageThread, std::this_thread::get_id());
}

// Real X input through xdotool, where it is installed.
bool HaveXdotool()
{
    return std::system("command -v xdotool >/dev/null 2>&1") == 0;
}

TEST_F(WebKitHost, MouseClickEnterAndEscape)
{
    if (!HaveXdotool())
        GTEST_SKIP() << "xdotool not installed";
    state.posX = 50;
    state.posY = 40;
    HostPage page(state);
    bool openAfterEnter = false;
    WhenRunning([&] {
        ASSERT_TRUE(platform::WaitForPaint(*page.Window()));
        platform::ScreenRect window = page.Window()->GetWindowRect();
        int x = std::stoi(Js(page, "var r = document.getElementById('Link-Help').getBoundingClientRect(); return Math.round(r.left + r.width / 2);"));
        int y = std::stoi(Js(page, "var r = document.getElementById('Link-Help').getBoundingClientRect(); return Math.round(r.top + r.height / 2);"));
        std::string click = "xdotool mousemove " + std::to_string(window.left + x) + " " + std::to_string(window.top + y) + " click 1";
        ASSERT_EQ(std::system(click.c_str()), 0);
        // The view hands motion, press and release to the page one at a time, each after the
        // page's answer to the one before, and answers arrive only while the main loop runs: a
        // blocked loop (xdotool below) or an ended page would drop the click.
        EXPECT_TRUE(WaitFor([&] { Js(page, "return 1;"); return !page.clicks.empty(); }, std::chrono::seconds(5)));
        ASSERT_TRUE(Js(page, "document.getElementById('textbox-Name').value = 'entered'; document.getElementById('textbox-Name').focus(); return true;") == "true");
        ASSERT_EQ(std::system("xdotool key Return"), 0);
        WhenRunning([&] {
            openAfterEnter = !page.Window()->IsEnded();
            std::system("xdotool key Escape");
        });
    });
    EXPECT_EQ(page.DoModal(), platform::kPageCancel);
    EXPECT_EQ(page.clicks, std::vector<std::string>{"Link-Help"});
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ(page.name, u"entered"); // Enter read the page
}

struct DirectionCase {
    const char16_t* language;
    bool mirrored;
};

class PageDirection : public WebKitFixture, public ::testing::WithParamInterface<DirectionCase> {};

TEST_P(PageDirection, SnapshotAndButtonOrder)
{
    state.languageCode = GetParam().language;
    HostPage page(state);
    std::string png = ArtifactPath("Host-" + CString(GetParam().language).ToUtf8() + ".png");
    std::filesystem::remove(png);
    std::string nextLeft, cancelLeft, dir;
    WhenRunning([&] {
        ASSERT_TRUE(platform::WaitForPaint(*page.Window()));
        EXPECT_TRUE(platform::SavePageSnapshot(*page.Window(), png));
        nextLeft = Js(page, "return Math.round(document.getElementById('ButtonNext').getBoundingClientRect().left);");
        cancelLeft = Js(page, "return Math.round(document.getElementById('ButtonCancel').getBoundingClientRect().left);");
        dir = Js(page, "return getComputedStyle(document.body).direction;");
        page.EndDialog(platform::kPageOk);
    });
    page.DoModal();
    EXPECT_EQ(dir, GetParam().mirrored ? "rtl" : "ltr");
    ASSERT_NE(nextLeft, "<failed>");
    EXPECT_EQ(std::stoi(nextLeft) < std::stoi(cancelLeft), GetParam().mirrored) << nextLeft << " " << cancelLeft;
    int width = 0, height = 0;
    EXPECT_GE(Colours(png, width, height), 3u) << png;
    EXPECT_EQ(width, 688);
    EXPECT_EQ(height, 520);
}

INSTANTIATE_TEST_SUITE_P(WebKit, PageDirection,
                         ::testing::Values(DirectionCase{u"ENWW", false}, DirectionCase{u"DEWW", false},
                                           DirectionCase{u"HEWW", true}),
                         [](const auto& info) { return CString(info.param.language).ToUtf8(); });

} // namespace
