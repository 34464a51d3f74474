// TarrowNetwork's discovery pages on the in-memory page host: the test's module folder holds a
// page file for both pages, and each page's document holds the element ids of the product's page
// template. The search can be held at its start until the test lets it go.
#pragma once

#include "integration/discovery/NetworkFixture.h"
#include "network/DiscoveryWorker.h"
#include "platform/ui/MemoryPageHost.h"
#include "support/WaitFor.h"

#include <atomic>
#include <map>

namespace discoverytest {

// Every StartDiscoveringDevices waits, while the search is held, until Release (at most 10 s).
class HeldSearch : public ScriptedDiscovery {
public:
    void Hold() { m_released = false; }
    void Release() { m_released = true; }

    int StartDiscoveringDevices(int f1, int f2, int f3, int f4, int f5, int f6, int f7) override
    {
        EXPECT_TRUE(WaitFor([this] { return m_released.load(); })) << "the held search was never released";
        return ScriptedDiscovery::StartDiscoveringDevices(f1, f2, f3, f4, f5, f6, f7);
    }

private:
    std::atomic<bool> m_released{true};
};

// The in-memory host, where a test can queue a page's user actions when that page's window is
// made: actions queued before would run on the page that is open then.
class PageScriptHost : public platform::MemoryPageHost {
public:
    // queue runs when the window with this number (0 the first) is made.
    void WhenOpened(std::size_t window, std::function<void()> queue) { m_onOpen[window] = std::move(queue); }

    std::unique_ptr<platform::IPageWindow> CreatePageWindow(platform::IPageEvents& events) override
    {
        auto window = MemoryPageHost::CreatePageWindow(events);
        if (auto queue = m_onOpen.find(Windows().size() - 1); queue != m_onOpen.end())
            queue->second();
        return window;
    }

private:
    std::map<std::size_t, std::function<void()>> m_onOpen;
};

inline constexpr const char* kProgressPage = "NetworkDiscoveryProgress";
inline constexpr const char* kFinishPage = "NetworkDiscoveryFinish";

class PagesFixture : public NetworkFixture {
protected:
    void SetUp() override
    {
        NetworkFixture::SetUp();
        state.moduleFolder = CString::FromUtf8(module.folder.string());
        state.languageCode = u"ENWW";
        std::filesystem::create_directories(module.folder / "ENWW");
        for (const char* page : {kProgressPage, kFinishPage}) {
            host.DefinePage(CString::FromUtf8(page), TemplateIds(page));
            std::ofstream(module.folder / "ENWW" / (std::string(page) + ".htm")) << "<html></html>\n";
        }
        host.SetIdleTimeout(std::chrono::seconds(10));
    }

    void TearDown() override
    {
        heldSearch.Release();
        JoinDiscoveryWorkers();
        NetworkFixture::TearDown();
    }

    // The element ids of the product's page template.
    static platform::MemoryDocument TemplateIds(const std::string& page)
    {
        const std::string html = FileBytes(std::filesystem::path(TARROW_PAGE_TEMPLATES) / (page + ".htm"));
        EXPECT_FALSE(html.empty()) << page;
        platform::MemoryDocument document;
        const std::string key = "id=\"";
        for (std::size_t at = html.find(key); at != std::string::npos; at = html.find(key, at)) {
            at += key.size();
            std::size_t end = html.find('"', at);
            if (end == std::string::npos)
                break;
            document[CString::FromUtf8(html.substr(at, end - at)).str()];
        }
        return document;
    }

    PageScriptHost host;
    platform::ScopedService<platform::IPageHost> useHost{host};
    HeldSearch heldSearch;
    platform::ScopedService<IDiscoveryLibrary> useHeldSearch{heldSearch};
};

} // namespace discoverytest
