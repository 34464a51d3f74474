// The wizard's pages on the in-memory page host against simulated devices (HTTPS and SNMP on
// 127.0.0.n:443 and :161 of a private network) and the real TarrowNetwork, copied into a module
// folder of the test's own together with an empty page file for every page.
#pragma once

#include "integration/discovery/DiscoveryFixture.h"
#include "integration/discovery/SimulatedNetwork.h"
#include "support/LogCapture.h"
#include "support/ModuleFolderAt.h"
#include "support/ScriptedMessageBoxes.h"
#include "wizard/PageChain.h"

#include "library/Quillet_Library.h"

#include "common/log/ProgramLog.h"
#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "platform/ui/MemoryPageHost.h"
#include "tools/simdevice/SimulatedDevice.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

namespace wizardflow {

inline std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A text file as the programs write it: UTF-16LE with FF FE, each "\n" as CR LF.
inline std::string Utf16TextFile(const std::u16string& text)
{
    std::string bytes = "\xFF\xFE";
    auto put = [&bytes](char16_t unit) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    };
    for (char16_t unit : text) {
        if (unit == u'\n')
            put(u'\r');
        put(unit);
    }
    return bytes;
}

// The settings data file as TarrowNetwork writes it, with these keys and values.
inline std::string DataFileBytes(std::initializer_list<std::pair<std::u16string, std::u16string>> pairs)
{
    std::u16string text = u"<?xml version=\"1.0\" encoding=\"utf-16\"?>\n<tarrow>\n\t<settings>\n";
    for (const auto& [key, value] : pairs)
        text += u"\t\t<" + key + u">\n\t\t\t" + value + u"\n\t\t</" + key + u">\n";
    text += u"\t</settings>\n</tarrow>\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

class WizardFlowTest : public discoverytest::DiscoveryFixture {
protected:
    void SetUp() override
    {
        DiscoveryFixture::SetUp();
        // The program's boxes go to standard error, never to a display of the developer's.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        setenv("LANG", "C", 1);
        const std::filesystem::path program = TARROW_NETWORK_PROGRAM;
        setenv("LD_LIBRARY_PATH", program.parent_path().c_str(), 1);
        std::filesystem::create_directories(module / "js");
        ASSERT_TRUE(UseAsRunFolder(module));
        std::filesystem::copy_file(program, module / "TarrowNetwork");
        std::filesystem::create_directories(module / "ENWW");
        for (const PageInfo& page : PageCatalogue()) {
            platform::MemoryDocument document;
            for (const auto& id : page.boundIds())
                document[id];
            for (const auto& id : page.clickIds())
                document[id];
            for (const char16_t* id : kUnboundIds)
                document[id];
            host.DefinePage(page.name, document);
            std::ofstream(module / "ENWW" / (CString(page.name).ToUtf8() + ".htm")) << "<html></html>\n";
        }
        host.SetIdleTimeout(std::chrono::seconds(10));
        state.moduleFolder = CString::FromUtf8(module.string());
        state.languageCode = u"ENWW";
        ProgramLog().Open(kLogFilePath);
        log.emplace();
    }

    // A simulated device on 127.0.0.n (web server and SNMP agent). Call before StartAgent.
    simdevice::SimulatedDevice& AddDevice(int n, simdevice::Profile profile = simdevice::Profile::ManagedGranted,
                                          std::string model = discoverytest::kSupportedModel)
    {
        return network.AddDevice(n, profile, std::move(model));
    }
    void StartAgent() { ASSERT_TRUE(network.Start()); }

    // How often TarrowNetwork ran since the log capture began.
    int NetworkRuns() const
    {
        auto lines = log->Lines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), std::string("Starting TarrowNetwork.exe.")));
    }

    // The property or attribute of an element as a window left it.
    static std::string Prop(const platform::MemoryWindowRecord& window, const char16_t* id, platform::PageProperty property)
    {
        auto element = window.document.find(id);
        if (element == window.document.end())
            return "<missing>";
        auto found = element->second.properties.find(property);
        return found == element->second.properties.end() ? "" : CString(found->second).ToUtf8();
    }
    static std::string Attribute(const platform::MemoryWindowRecord& window, const char16_t* id, const char16_t* name)
    {
        auto element = window.document.find(id);
        if (element == window.document.end())
            return "<missing>";
        auto found = element->second.attributes.find(name);
        return found == element->second.attributes.end() ? "<unset>" : CString(found->second).ToUtf8();
    }
    // The window of the n-th page shown (0 first).
    const platform::MemoryWindowRecord& Shown(std::size_t n) const
    {
        std::vector<const platform::MemoryWindowRecord*> shown;
        for (const auto& record : host.Windows())
            if (record->shown)
                shown.push_back(record.get());
        return *shown.at(n);
    }

    void WriteDataFile(std::initializer_list<std::pair<std::u16string, std::u16string>> pairs) const
    {
        std::ofstream(DataFile(), std::ios::binary) << DataFileBytes(pairs);
    }

    std::filesystem::path DeviceFolderListFile() const { return module / "js" / "DeviceFolderList.js"; }
    std::filesystem::path DataFile() const { return module / "tarrow.data"; }

    // Elements that the pages' code uses without binding them.
    static constexpr const char16_t* kUnboundIds[] = {u"Overlay",      u"DeleteProgress", u"LogUnwritten",
                                                      u"ComputerSide", u"RemovedShares",  u"RemovedRights",
                                                      u"RemovedLinks", u"KeptFolders",    u"NotRemoved",
                                                      u"SharingFix"};

    std::filesystem::path module = std::filesystem::path(platform::DriveCRoot()).parent_path() / "module";
    ModuleFolderAt moduleFolder{module};
    platform::ScopedService<platform::ISystemInfo> useModule{moduleFolder};
    platform::MemoryPageHost host;
    platform::ScopedService<platform::IPageHost> useHost{host};
    ScriptedMessageBoxes boxes;
    SimulatedNetwork network;
    std::optional<LogCapture> log;
    WizardState state;
};

} // namespace wizardflow
