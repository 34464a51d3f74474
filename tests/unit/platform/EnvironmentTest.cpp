// The environment as the system reads it.
#include "platform/core/Environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

TEST(Environment, NamesCompareWithoutLetterCaseAndHomeDriveIsTheHomeFolder)
{
    auto& environment = platform::IEnvironment::Default();
    setenv("TARROW_TEST_Value", "mixed", 1);
    CString value;
    ASSERT_TRUE(environment.GetVariable(u"tarrow_test_VALUE", value));
    EXPECT_EQ(value, u"mixed");
    setenv("tarrow_test_value", "exact", 1);
    ASSERT_TRUE(environment.GetVariable(u"tarrow_test_value", value));
    EXPECT_EQ(value, u"exact");
    value = u"kept";
    EXPECT_FALSE(environment.GetVariable(u"TARROW_TEST_NOT_SET", value));
    EXPECT_EQ(value, u"kept");

    unsetenv("HOMEDRIVE");
    setenv("HOME", "/home/anna", 1);
    ASSERT_TRUE(environment.GetVariable(u"HomeDrive", value));
    EXPECT_EQ(value, u"/home/anna");
    setenv("HOMEDRIVE", "D:", 1);
    ASSERT_TRUE(environment.GetVariable(u"HomeDrive", value));
    EXPECT_EQ(value, u"D:");
    unsetenv("HOMEDRIVE");
}

TEST(Environment, WithoutHomeTheAccountDatabaseNamesTheHomeFolder)
{
    const std::string saved = std::getenv("HOME");
    unsetenv("HOME");
    unsetenv("HOMEDRIVE");
    const std::string expected = getpwuid(geteuid())->pw_dir;
    EXPECT_EQ(platform::HomeFolder(), expected);
    CString value;
    ASSERT_TRUE(platform::IEnvironment::Default().GetVariable(u"HomeDrive", value));
    EXPECT_EQ(value, CString::FromUtf8(expected));
    setenv("HOME", saved.c_str(), 1);
}
