// A wizard run on the in-memory page host: a module folder on the test's private drive C: with
// an (empty) page file for every page, and each page's document holding every id that its
// class binds or handles.
#pragma once

#include "wizard/PageChain.h"

#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/ui/MemoryPageHost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

class WizardFixture : public ::testing::Test {
protected:
    WizardFixture() : m_useHost(host)
    {
        state.moduleFolder = u"C:\\Tarrow";
        state.languageCode = u"ENWW";
        for (const PageInfo& page : PageCatalogue()) {
            platform::MemoryDocument document;
            for (const auto& id : page.boundIds())
                document[id];
            for (const auto& id : page.clickIds())
                document[id];
            host.DefinePage(page.name, document);
            WritePageFile(u"ENWW", page.name);
        }
        host.SetIdleTimeout(std::chrono::seconds(2));
    }

    static std::filesystem::path Posix(const CString& path) { return *platform::ToPosixPath(path); }

    void WritePageFile(const CString& language, const CString& page)
    {
        std::filesystem::path folder = Posix(u"C:\\Tarrow\\" + language);
        std::filesystem::create_directories(folder);
        std::ofstream(folder / (page.ToUtf8() + ".htm")) << "<html></html>\n";
    }

    // The property of an element of the window's document.
    static std::string Prop(const platform::MemoryWindowRecord& window, const char16_t* id, platform::PageProperty property)
    {
        auto element = window.document.find(id);
        return element == window.document.end() ? "<missing>" : CString(element->second.properties.at(property)).ToUtf8();
    }

    platform::MemoryPageHost host;
    WizardState state;

private:
    platform::ScopedService<platform::IPageHost> m_useHost;
};
