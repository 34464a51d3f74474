#include "library/service/CSharedFolder.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

TEST(ConvertToBasePrinterName, TakesTheCodeBetweenFamilyWordAndMfp)
{
    CString name(u"Norvik Kelvane KV4250 MFP");
    EXPECT_EQ(ConvertToBasePrinterName(name), 1);
    EXPECT_EQ(name, CString(u"KV4250"));

    CString adjacent(u"Norvik Kelvane MFP");
    EXPECT_EQ(ConvertToBasePrinterName(adjacent), 1);
    EXPECT_TRUE(adjacent.IsEmpty());

    CString reversed(u"MFP Kelvane");
    EXPECT_EQ(ConvertToBasePrinterName(reversed), 1);
    EXPECT_TRUE(reversed.IsEmpty());
}

TEST(ConvertToBasePrinterName, RejectsNamesWithoutFamilyWordOrMfp)
{
    LogCapture log;
    CString name(u"Norvik kelvane KV4250 MFP");
    EXPECT_EQ(ConvertToBasePrinterName(name), 0);
    EXPECT_TRUE(name.IsEmpty());
    CString broken(u"Norvik\nKelvane KV4250\r\x01");
    EXPECT_EQ(ConvertToBasePrinterName(broken), 0);
    // A model name comes from the device: its control characters are escaped, the line stays one.
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                               "ConvertToBasePrinterName(): Norvik kelvane KV4250 MFP is not a supported device.",
                               "ConvertToBasePrinterName(): Norvik\\nKelvane KV4250\\r\\x01 is not a supported device.",
                           }));
}

TEST(GetSupportedFeatures, WithoutQueryDecidesFromTheModelNameAlone)
{
    // No device listens at this address: a query would fail and give 4 or 5.
    const CString nowhere(u"127.0.0.1:1");
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(u"", nowhere, 0), DEVICE_NOT_SUPPORTED);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(u"", nowhere, 1), DEVICE_NOT_SUPPORTED);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(u"Norvik Kelvane KV4250 MFP", nowhere, 0), DEVICE_SUPPORTED);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(u"Norvik Kelvane KL3100 MFP", nowhere, 0), DEVICE_SUPPORTED);
    EXPECT_EQ(cSharedFolder.GetSupportedFeatures(u"Norvik Kelvane kv4250 MFP", nowhere, 0), DEVICE_NOT_SUPPORTED);
}

namespace {
class NamelessComputer : public platform::ISystemInfo {
public:
    bool GetComputerName(CString&) override { return false; }
    CString GetModuleFolder() override { return u"/"; }
};

class NamedComputer : public platform::ISystemInfo {
public:
    bool GetComputerName(CString& name) override
    {
        name = u"SCANPC";
        return true;
    }
    CString GetModuleFolder() override { return u"/"; }
};
} // namespace

TEST(MakeHostName, AnUnreadableComputerNameIsLoggedAndLeavesTheNameEmpty)
{
    NamelessComputer nameless;
    platform::ScopedService<platform::ISystemInfo> use(nameless);
    LogCapture log;
    CString name(u"old");
    EXPECT_EQ(cSharedFolder.MakeHostName(name), 0);
    EXPECT_TRUE(name.IsEmpty());
    EXPECT_TRUE(log.HasLine("CSharedFolder::GetComputerName() failed"));
}

TEST(MakeHostName, AReadableComputerNameIsTaken)
{
    NamedComputer named;
    platform::ScopedService<platform::ISystemInfo> use(named);
    LogCapture log;
    CString name(u"old");
    EXPECT_EQ(cSharedFolder.MakeHostName(name), 1);
    EXPECT_EQ(name, CString(u"SCANPC"));
    EXPECT_TRUE(log.Lines().empty());
}
