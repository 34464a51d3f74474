// The whole set-up on the real pages in WebKitGTK: Welcome to Finish against a simulated device
// (HTTPS and SNMP on 127.0.0.66) and the real TarrowNetwork, with usershares of a private Samba.
// Each page is acted on through its own DOM, as a user's clicks and typing reach it.
#include "WebKitFixture.h"

#include "integration/discovery/DiscoveryFixture.h"
#include "support/LogCapture.h"
#include "support/ModuleFolderAt.h"
#include "support/SambaFixture.h"
#include "support/ScriptedMessageBoxes.h"

#include "common/log/ProgramLog.h"
#include "platform/core/Services.h"
#include "platform/core/Sleep.h"
#include "platform/core/SystemInfo.h"
#include "tools/simdevice/SimulatedDevice.h"

#include <deque>
#include <glib.h>
#include <pwd.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// The WebKitGTK host, keeping track of the window that opened last and is still there.
class TrackingHost : public platform::IPageHost {
public:
    class Window : public platform::IPageWindow {
    public:
        Window(TrackingHost& host, std::unique_ptr<platform::IPageWindow> inner) : m_host(host), m_inner(std::move(inner)) {}
        ~Window() override { std::erase(m_host.m_open, this); }
        platform::IPageWindow& Inner() { return *m_inner; }
        const CString& File() const { return m_file; }

        void SetCaption(const CString& caption) override { m_inner->SetCaption(caption); }
        void SetIcon(const CString& imagePath) override { m_inner->SetIcon(imagePath); }
        void SetRightToLeft(bool rightToLeft) override { m_inner->SetRightToLeft(rightToLeft); }
        platform::ScreenMetrics Metrics() override { return m_inner->Metrics(); }
        void MoveWindow(const platform::ScreenRect& outer) override { m_inner->MoveWindow(outer); }
        platform::ScreenRect GetWindowRect() override { return m_inner->GetWindowRect(); }
        int Navigate(const CString& filePath) override
        {
            m_file = filePath;
            return m_inner->Navigate(filePath);
        }
        bool GetProperty(const CString& id, platform::PageProperty property, CString& text) override
        {
            return m_inner->GetProperty(id, property, text);
        }
        bool SetProperty(const CString& id, platform::PageProperty property, const CString& text) override
        {
            return m_inner->SetProperty(id, property, text);
        }
        bool SetAttribute(const CString& id, const CString& name, const CString& value) override
        {
            return m_inner->SetAttribute(id, name, value);
        }
        bool Focus(const CString& id) override { return m_inner->Focus(id); }
        int ReadFields(std::span<platform::PageField> fields) override { return m_inner->ReadFields(fields); }
        int WriteFields(std::span<platform::PageField> fields) override { return m_inner->WriteFields(fields); }
        // Shown and taking input from here on.
        int RunModal() override
        {
            m_running = true;
            return m_inner->RunModal();
        }
        bool Running() const { return m_running && !m_inner->IsEnded(); }
        void EndDialog(int result) override { m_inner->EndDialog(result); }
        bool IsEnded() const override { return m_inner->IsEnded(); }
        void PostMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override
        {
            m_inner->PostMessage(message, wParam, lParam);
        }

    private:
        TrackingHost& m_host;
        std::unique_ptr<platform::IPageWindow> m_inner;
        CString m_file;
        bool m_running = false;
    };

    std::unique_ptr<platform::IPageWindow> CreatePageWindow(platform::IPageEvents& events) override
    {
        auto window = std::make_unique<Window>(*this, m_real.CreatePageWindow(events));
        m_open.push_back(window.get());
        return window;
    }

    // The innermost running page's window, or null.
    Window* Current()
    {
        for (auto it = m_open.rbegin(); it != m_open.rend(); ++it)
            if ((*it)->Running())
                return *it;
        return nullptr;
    }

private:
    platform::IPageHost& m_real = platform::IPageHost::Default();
    std::vector<Window*> m_open;
};

class NoWaits : public platform::ISleeper {
public:
    void Sleep(unsigned) override {}
};

// Acts on pages as they come: each step waits (on the user-interface thread, every 100 ms) for
// its page to be the innermost one and loaded, then runs its script there.
class PageScript {
public:
    struct Step {
        std::string page;
        std::string script;
    };

    PageScript(TrackingHost& host, std::vector<Step> steps) : m_host(host), m_steps(steps.begin(), steps.end()) {}

    void Start() { Schedule(); }
    bool Done() const { return m_steps.empty(); }
    const std::vector<std::string>& Log() const { return m_log; }

private:
    // Each turn schedules the next one first: a click may run the next page's loop inside this
    // turn, and the script must go on there.
    void Schedule() { g_timeout_add(100, &PageScript::Tick, this); }
    static gboolean Tick(gpointer self)
    {
        static_cast<PageScript*>(self)->Turn();
        return G_SOURCE_REMOVE;
    }

    void Turn()
    {
        if (m_steps.empty())
            return;
        Schedule();
        if (m_busy)
            return;
        m_busy = true;
        TrackingHost::Window* window = m_host.Current();
        std::string state;
        const std::string file = window ? window->File().ToUtf8() : std::string();
        const std::string page = m_steps.front().page + ".htm";
        if ((file.ends_with("\\" + page) || file.ends_with("/" + page))
            && platform::EvaluateInPage(window->Inner(), "return document.readyState;", state)
            && state == "complete") {
            Step step = m_steps.front();
            m_steps.pop_front();
            m_busy = false; // the next page may open inside this step; its turns must run
            std::string result;
            // The step runs after the evaluation has returned, as a user's input comes.
            platform::EvaluateInPage(window->Inner(), "setTimeout(() => { " + step.script + " }, 0); return 'done';", result);
            m_log.push_back(step.page + ": " + result);
        }
        m_busy = false;
    }

    TrackingHost& m_host;
    std::deque<Step> m_steps;
    std::vector<std::string> m_log;
    bool m_busy = false;
};

std::string Click(const std::string& id)
{
    return "document.getElementById('" + id + "').click();";
}

std::string Type(const std::string& id, const std::string& text)
{
    return "document.getElementById('" + id + "').value = " + text + ";";
}

} // namespace

TEST_F(WebKitFixture, TheWholeSetUpOnTheRealPages)
{
    // The module folder: the real pages beside a copy of TarrowNetwork.
    const fs::path module = fs::path(platform::DriveCRoot()).parent_path() / "module";
    fs::create_directories(module);
    for (const char* folder : {"ENWW", "Images", "css", "js"})
        fs::copy(fs::path(TARROW_PAGES_BIN_DIR) / folder, module / folder, fs::copy_options::recursive);
    fs::copy_file(fs::path(TARROW_PAGES_BIN_DIR) / "TarrowNetwork", module / "TarrowNetwork");
    setenv("LD_LIBRARY_PATH", TARROW_PAGES_BIN_DIR, 1);
    setenv("VESPER_SCOPE", "127.0.0.66", 1);
    setenv("VESPER_TIMEOUT_MS", "200", 1);
    // The data files go to a run folder of their own, where TarrowNetwork writes too and from
    // where the pages read them.
    const fs::path run = module.parent_path() / "run";
    fs::create_directories(run / "js");
    ASSERT_TRUE(UseAsRunFolder(run));
    ModuleFolderAt moduleFolder(module, run);
    platform::ScopedService<platform::ISystemInfo> useModule(moduleFolder);
    state.moduleFolder = CString::FromUtf8(module.string());
    state.languageCode = u"ENWW";

    SambaFixture samba;
    ASSERT_TRUE(samba.IsReady());
    ASSERT_TRUE(samba.StartServer());
    const SambaFixture::Account account = samba.AddAccount();
    ASSERT_FALSE(account.name.empty());
    simdevice::SimulatedDevice device;
    ASSERT_TRUE(device.Start("127.0.0.66", 443));
    simdevice::SnmpAgent agent;
    ASSERT_TRUE(agent.AddDevice(discoverytest::TestDevice(66)));
    ASSERT_TRUE(agent.Start());

    ScriptedMessageBoxes boxes;
    NoWaits noWaits;
    platform::ScopedService<platform::ISleeper> useNoWaits(noWaits);
    TrackingHost host;
    platform::ScopedService<platform::IPageHost> useHost(host);
    ProgramLog().Open(kLogFilePath);
    LogCapture log;

    PageScript script(host, {
        {"Welcome", Type("textbox-IPAddress", "'127.0.0.66'") + Click("ButtonNext")},
        {"SelectOp", Click("ButtonNext")},
        {"FolderName", Type("textbox-Location", "'C:\\\\Scans\\\\'") + Type("textbox-FolderName", "'Reports'") +
                           Click("ButtonNext")},
        {"UserCredentials", Type("textbox-UserName", "'" + account.name + "'") +
                                Type("textbox-Password", "'" + account.password + "'") + Click("ButtonNext")},
        {"ScanOptions", "document.getElementById('DocumentTypeSelection').selectedIndex = 3;" + Click("ButtonNext")},
        {"ConfirmAdd", Click("ButtonCreate")},
        {"Finish", Click("ButtonNext")},
    });
    WhenRunning([&] { script.Start(); });
    RunPage(state, PageId::Welcome);

    EXPECT_TRUE(script.Done()) << ::testing::PrintToString(script.Log());
    std::vector<std::string> entered;
    for (const std::string& line : log.Lines())
        if (line.starts_with("Entering "))
            entered.push_back(line);
    EXPECT_EQ(entered, (std::vector<std::string>{"Entering Welcome dialog.", "Entering SelectOp dialog.",
                                                 "Entering FolderName dialog.", "Entering UserCredentials dialog.",
                                                 "Entering ScanOptions dialog.", "Entering ConfirmAdd dialog.",
                                                 "Entering Progress dialog.", "Entering Finish dialog."}));
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_TRUE(fs::is_directory(platform::DriveCRoot() + "/Scans/Reports"));
    EXPECT_NE(samba.ShareInfo("Reports").find("path=" + platform::DriveCRoot() + "/Scans/Reports"), std::string::npos);
    auto folders = device.Folders();
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0].name, "Reports");
    EXPECT_EQ(folders[0].authType, "DEFAULT_USER_CREDENTIALS");
    EXPECT_EQ(folders[0].userName, account.name);
    EXPECT_EQ(folders[0].fileFormat, "JPEG");

    // The device scans into the folder that the pages set up, as the account.
    CString computer;
    ASSERT_TRUE(platform::ISystemInfo::Default().GetComputerName(computer));
    device.SetNameTable({{computer.ToUtf8(), "127.0.0.1"}});
    simdevice::ScanResult scanned = device.Scan({"Reports", "", "", ""});
    EXPECT_TRUE(scanned.ok) << scanned.status;
    struct stat info {};
    EXPECT_EQ(stat((platform::DriveCRoot() + "/Scans/Reports/Scan_0001.jpg").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, getpwnam(account.name.c_str())->pw_uid);
    EXPECT_FALSE(log.Contains(account.password));
    device.Stop();
}
