// Fix texts: shell quoting and Samba tools with the configuration in use.
#include "selfcheck/CheckText.h"

#include "platform/shares/SambaConfig.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(CheckText, WordsAreQuotedOnlyWhenTheShellWouldChangeThem)
{
    EXPECT_EQ(selfcheck::ShellQuote("/home/alice/Scans"), "/home/alice/Scans");
    EXPECT_EQ(selfcheck::ShellQuote("u:alice:rwx"), "u:alice:rwx");
    EXPECT_EQ(selfcheck::ShellQuote(""), "''");
    EXPECT_EQ(selfcheck::ShellQuote("/home/alice/My Scans"), "'/home/alice/My Scans'");
    EXPECT_EQ(selfcheck::ShellQuote("it's $HOME"), "'it'\\''s $HOME'");
}

TEST(CheckText, SambaToolsNameThePrivateConfiguration)
{
    unsetenv(platform::kSambaConfigVariable);
    EXPECT_EQ(selfcheck::SambaToolCommand("smbpasswd", "-c", {"-a", "alice"}), "smbpasswd -a alice");
    EXPECT_EQ(selfcheck::GlobalSettingsFix({"ntlm auth = ntlmv1-permitted"}),
              "add to [global] in /etc/samba/smb.conf: ntlm auth = ntlmv1-permitted; then run: systemctl restart smbd");
    setenv(platform::kSambaConfigVariable, "/tmp/private/smb.conf", 1);
    EXPECT_EQ(selfcheck::SambaToolCommand("smbpasswd", "-c", {"-a", "alice"}), "smbpasswd -c /tmp/private/smb.conf -a alice");
    EXPECT_EQ(selfcheck::GlobalSettingsFix({"a = 1", "b = 2"}, "nmbd"),
              "add to [global] in /tmp/private/smb.conf: a = 1; b = 2; then run: systemctl restart nmbd");
    unsetenv(platform::kSambaConfigVariable);
}

} // namespace
