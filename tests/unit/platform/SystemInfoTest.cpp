#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "support/PrivateHostName.h"

#include <gtest/gtest.h>

TEST(SystemInfo, TheComputerNameIsTheNetBiosFormOfTheHostName)
{
    // Up to the first dot, upper case, at most 15 characters.
    const std::pair<const char*, const char16_t*> cases[] = {
        {"very-long-host-name.example", u"VERY-LONG-HOST-"},
        {"scanpc.example.org", u"SCANPC"},
        {"pc1", u"PC1"},
        {"fifteen-chars-x", u"FIFTEEN-CHARS-X"},
        {"sixteen-chars-xy", u"SIXTEEN-CHARS-X"},
        {"Mixed.Case", u"MIXED"},
    };
    for (const auto& [host, expected] : cases) {
        ASSERT_TRUE(UsePrivateHostName(host)) << host;
        CString name(u"left over");
        ASSERT_TRUE(platform::ISystemInfo::Default().GetComputerName(name)) << host;
        EXPECT_EQ(name, CString(expected)) << host;
    }
    // Without a host name there is no computer name.
    ASSERT_TRUE(UsePrivateHostName(""));
    CString name;
    EXPECT_FALSE(platform::ISystemInfo::Default().GetComputerName(name));
}

TEST(SystemInfo, ModuleFolderIsTheExecutablesFolder)
{
    CString folder = platform::Use<platform::ISystemInfo>().GetModuleFolder();
    EXPECT_EQ(folder.Right(6), CString(u"/tests"));
}

namespace {
class FixedName : public platform::ISystemInfo {
public:
    bool GetComputerName(CString& name) override { name = u"FIXED"; return true; }
    CString GetModuleFolder() override { return u"/x"; }
};
} // namespace

TEST(SystemInfo, AServiceCanBeSwappedForAScope)
{
    FixedName fixed;
    {
        platform::ScopedService<platform::ISystemInfo> use(fixed);
        CString name;
        ASSERT_TRUE(platform::Use<platform::ISystemInfo>().GetComputerName(name));
        EXPECT_EQ(name, CString(u"FIXED"));
    }
    EXPECT_NE(&platform::Use<platform::ISystemInfo>(), static_cast<platform::ISystemInfo*>(&fixed));
}
