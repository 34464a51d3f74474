// The settings data file and the XML reader: writing and rewriting a data file of eight keys,
// and parsing documents of growing size (the time should grow linearly; see bytes_per_second).
#include "common/data/CWriteXML.h"
#include "common/xml/XmlReader.h"
#include "common/xml/XmlWriter.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

// Module folder in a temporary folder, so that the data file never lands beside real programs.
class TemporaryModuleFolder : public platform::ISystemInfo {
public:
    TemporaryModuleFolder()
    {
        char pattern[] = "/tmp/tarrow-bench.XXXXXX";
        m_folder = mkdtemp(pattern);
    }
    ~TemporaryModuleFolder() override { std::filesystem::remove_all(m_folder); }
    bool GetComputerName(CString& name) override { name = u"BENCH"; return true; }
    CString GetModuleFolder() override { return CString::FromUtf8(m_folder); }

private:
    std::string m_folder;
};

const char16_t* const kKeys[8][2] = {
    {u"PrinterModelName", u"Laser MFP 500 \"Pro\" & more"}, {u"PrinterAccessError", u"FALSE"},
    {u"IPAddressFromHost", u"127.0.0.9"}, {u"IPAddressFromMAC", u"127.0.0.10"}, {u"SelectionStatus", u"1"},
    {u"IPAddress", u"127.0.0.11"}, {u"HostName", u"printer-11.example"}, {u"MACAddress", u"00:11:22:33:44:55"}};

void WriteEightKeys(benchmark::State& state)
{
    TemporaryModuleFolder folder;
    platform::ScopedService<platform::ISystemInfo> use(folder);
    for (auto _ : state) {
        CWriteXML writer;
        for (const auto& pair : kKeys)
            writer.SetValue(pair[0], pair[1]);
        writer.CreateDataFile(); // the skeleton, then one parse and rewrite per key
    }
}
BENCHMARK(WriteEightKeys)->Unit(benchmark::kMicrosecond);

void ParseAndRewriteEightKeys(benchmark::State& state)
{
    TemporaryModuleFolder folder;
    platform::ScopedService<platform::ISystemInfo> use(folder);
    CWriteXML writer;
    for (const auto& pair : kKeys)
        writer.SetValue(pair[0], pair[1]);
    writer.CreateDataFile();
    for (auto _ : state) {
        XmlParseResult result;
        XmlNode tarrow = ParseFile(writer.Path(), u"tarrow", result);
        if (result.code != 0 || WriteFile(tarrow, writer.Path()) != 0)
            state.SkipWithError("data file round trip failed");
    }
}
BENCHMARK(ParseAndRewriteEightKeys)->Unit(benchmark::kMicrosecond);

// A document of about the given size: records with attributes, text with entities, comments.
std::u16string Document(std::size_t bytes)
{
    std::u16string text = u"<?xml version=\"1.0\" encoding=\"utf-16\"?>\n<devices>\n";
    for (int n = 0; text.size() * 2 < bytes; ++n) {
        std::u16string number = CString::FromUtf8(std::to_string(n)).str();
        text += u"\t<device index=\"" + number + u"\" kind='mfp'>\n\t\t<IPAddress>127.0." + number +
                u"</IPAddress>\n\t\t<Model>Laser &amp; Scan &#x41;" + number +
                u"</Model>\n\t\t<!-- seen twice -->\n\t\t<Flags/>\n\t</device>\n";
    }
    return text + u"</devices>\n";
}

void ParseDocument(benchmark::State& state)
{
    std::u16string text = Document(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        XmlParseResult result;
        XmlNode root = ParseText(text, u"devices", result);
        if (result.code != 0)
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(root);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size() * 2));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(ParseDocument)->RangeMultiplier(4)->Range(64 << 10, 4 << 20)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
