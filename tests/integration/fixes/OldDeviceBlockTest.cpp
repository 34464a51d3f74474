// The old-device block in Debian's own smb.conf: put after the last setting of [global], found
// again, replaced, and taken out with every other byte as it was.
#include "fixes/OldDeviceBlock.h"

#include "HelperFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace fixes;

TEST(OldDeviceBlock, DebiansSmbConfGetsTheBlockAtTheEndOfGlobalAndLosesItByteForByte)
{
    const std::string stock = ReadText("/usr/share/samba/smb.conf");
    ASSERT_FALSE(stock.empty());
    std::string error;
    const std::string both = WithOldDeviceBlock(stock, true, true, error).value_or("");
    const std::string lastSetting = "   usershare allow guests = yes\n";
    const std::size_t at = stock.find(lastSetting) + lastSetting.size();
    EXPECT_EQ(both, stock.substr(0, at) + OldDeviceBlock(true, true) + stock.substr(at));
    EXPECT_EQ(FindOldDeviceBlock(both)->begin, at);
    EXPECT_EQ(WithoutOldDeviceBlock(both), stock);

    // Written again with other settings, the block is replaced where it is, not added twice.
    const std::string smb1 = WithOldDeviceBlock(both, true, false, error).value_or("");
    EXPECT_EQ(smb1, stock.substr(0, at) + OldDeviceBlock(true, false) + stock.substr(at));
    EXPECT_EQ(WithoutOldDeviceBlock(smb1), stock);
    EXPECT_EQ(OldDeviceBlock(false, true).find("server min protocol"), std::string::npos);
    EXPECT_NE(OldDeviceBlock(true, true).find("# WARNING: these lines let in devices that speak SMB1 and sign in with "
                                              "NTLMv1. That is old and weak:"),
              std::string::npos);
}

TEST(OldDeviceBlock, AFileWithoutGlobalIsRefusedAndOneEndingInGlobalGetsTheBlockAtItsEnd)
{
    std::string error;
    EXPECT_FALSE(WithOldDeviceBlock("[homes]\n   browseable = no\n", true, false, error));
    EXPECT_EQ(error, "it has no [global] section");
    const std::string text = "; mine\n[Global]\n   workgroup = HOME\n\n# end\n";
    EXPECT_EQ(WithOldDeviceBlock(text, true, false, error).value_or(""),
              "; mine\n[Global]\n   workgroup = HOME\n" + OldDeviceBlock(true, false) + "\n# end\n");
    EXPECT_EQ(WithoutOldDeviceBlock(text), text);
}

} // namespace
