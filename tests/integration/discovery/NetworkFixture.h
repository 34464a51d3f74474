// In-process tests of TarrowNetwork's discovery engine: the private network of DiscoveryFixture,
// plus a module folder of the test's own, recorded message boxes, waits that do not wait, a
// discovery service that fails the calls a test scripts, and the program's log opened on the
// test's private drive C:.
#pragma once

#include "support/LogCapture.h"
#include "support/ModuleFolderAt.h"
#include "common/data/CWriteXML.h"
#include "common/log/ProgramLog.h"
#include "integration/discovery/DiscoveryFixture.h"
#include "integration/discovery/ScriptedDiscovery.h"
#include "network/NetworkState.h"
#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/core/Sleep.h"
#include "platform/core/SystemInfo.h"
#include "platform/ui/MessageBoxes.h"
#include "vesper/vespersdk.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>

namespace discoverytest {

class RecordedMessageBoxes : public platform::IMessageBoxes {
public:
    int Show(const CString& text, const CString& caption, unsigned style) override
    {
        shown.push_back({text.ToUtf8(), caption.ToUtf8(), style});
        return platform::IDOK;
    }
    struct Box {
        std::string text, caption;
        unsigned style;
        friend bool operator==(const Box&, const Box&) = default;
    };
    std::vector<Box> shown;
};

// Records each wait instead of waiting; onWait runs with the number of the wait (1, 2, ...).
class RecordedSleeper : public platform::ISleeper {
public:
    void Sleep(unsigned milliseconds) override
    {
        waits.push_back(milliseconds);
        if (onWait)
            onWait(static_cast<int>(waits.size()));
    }
    std::vector<unsigned> waits;
    std::function<void(int)> onWait;
};

// The module folder, which is the run folder too, is a fresh folder of the test's own (with "js"
// inside).
class PrivateModuleFolder : public platform::ISystemInfo {
public:
    PrivateModuleFolder()
    {
        folder = std::filesystem::path(platform::DriveCRoot()).parent_path() / "module";
        std::filesystem::create_directories(folder / "js");
        UseAsRunFolder(folder);
    }
    bool GetComputerName(CString& name) override { return platform::ISystemInfo::Default().GetComputerName(name); }
    CString GetModuleFolder() override { return CString::FromUtf8(folder.string()); }
    CString GetRunFolder() override { return GetModuleFolder(); }
    std::filesystem::path folder;
};

inline std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// UTF-16LE with FF FE, as the programs write their files.
inline std::string Utf16File(const std::u16string& text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// Key and value pairs of the settings data file, in the file's order.
using SettingsPairs = std::vector<std::pair<const char16_t*, std::u16string>>;

// The settings data file holding these pairs as CWriteXML writes it.
inline std::string SettingsFile(const SettingsPairs& pairs)
{
    std::u16string text = u"<?xml version=\"1.0\" encoding=\"utf-16\"?>\n<tarrow>\n\t<settings>\n";
    for (const auto& [key, value] : pairs)
        text += std::u16string(u"\t\t<") + key + u">\n\t\t\t" + value + u"\n\t\t</" + key + u">\n";
    return Utf16File(text + u"\t</settings>\n</tarrow>\n");
}

// The device list file's text as the program writes it: "\n" becomes CR LF.
inline std::string DeviceListBytes(const std::u16string& text)
{
    std::u16string crlf;
    for (char16_t unit : text) {
        if (unit == u'\n')
            crlf += u'\r';
        crlf += unit;
    }
    return Utf16File(crlf);
}

class NetworkFixture : public DiscoveryFixture {
protected:
    void SetUp() override
    {
        DiscoveryFixture::SetUp();
        setenv("LANG", "C", 1);
        unsetenv("LANGUAGE");
        unsetenv("LC_ALL");
        unsetenv("LC_MESSAGES");
        ProgramLog().Open(kLogFilePath);
        log.emplace();
        Vesper_startup(1);
    }

    void TearDown() override { Vesper_shutdown(1); }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& box : boxes.shown)
            texts.push_back(box.text);
        return texts;
    }

    std::filesystem::path DataFilePath() const { return module.folder / "tarrow.data"; }
    std::filesystem::path DeviceListPath() const { return module.folder / "js" / "NtwkDevList.js"; }

    RecordedMessageBoxes boxes;
    RecordedSleeper sleeper;
    PrivateModuleFolder module;
    platform::ScopedService<platform::IMessageBoxes> useBoxes{boxes};
    platform::ScopedService<platform::ISleeper> useSleeper{sleeper};
    platform::ScopedService<platform::ISystemInfo> useModule{module};
    ScriptedDiscovery discovery;
    platform::ScopedService<IDiscoveryLibrary> useDiscovery{discovery};
    std::optional<LogCapture> log;
    NetworkState state;
    CWriteXML dataFile;  // after useModule: its path lies in the private module folder
};

} // namespace discoverytest
