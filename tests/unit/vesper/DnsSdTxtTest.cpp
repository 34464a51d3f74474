#include "vesper/DnsSdTxt.h"

#include <gtest/gtest.h>

using vesper::ModelFromTxt;

// ty first, then product (without IPP's parentheses), then usb_MDL; keys in any case, empty
// values passed over, texts ending at a zero byte.
TEST(DnsSdTxt, ModelFromTheFirstKeyThatNamesOne)
{
    EXPECT_EQ("Kelvane KV4250", ModelFromTxt({"usb_MDL=KV4250", "product=(Kelvane)", "ty=Kelvane KV4250"}));
    EXPECT_EQ("Kelvane", ModelFromTxt({"usb_MDL=KV4250", "ty=", "Product=(Kelvane)"}));
    EXPECT_EQ("(Kelvane", ModelFromTxt({"product=(Kelvane"}));
    EXPECT_EQ("KV4250", ModelFromTxt({"product=()", "USB_mdl=KV4250"}));
    EXPECT_EQ("Kel", ModelFromTxt({"TY=Kel" + std::string(1, '\0') + "vane"}));
    EXPECT_EQ("", ModelFromTxt({"note=front desk", "ty", "typ=Kelvane", "=Kelvane"}));
    EXPECT_EQ("a=b", ModelFromTxt({"ty=a=b"}));
}
