#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"

#include <gtest/gtest.h>

TEST(SystemInfo, NetBiosNameCutsAtTheFirstDotUpperCasesAndKeeps15Characters)
{
    EXPECT_EQ(platform::NetBiosName(u"scanpc.example.org"), CString(u"SCANPC"));
    EXPECT_EQ(platform::NetBiosName(u"a-very-long-host-name-here"), CString(u"A-VERY-LONG-HOS"));
    EXPECT_EQ(platform::NetBiosName(u"pc1"), CString(u"PC1"));
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
