#include "platform/shell/DesktopEntry.h"
#include "platform/shell/Shell.h"
#include "platform/shell/XdgUserDirs.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using platform::ReadUserDir;

TEST(XdgUserDirs, TheDesktopEntryOfTheFileWithHomeReplaced)
{
    const char* text = "# written by xdg-user-dirs-update\n"
                       "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
                       "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";
    EXPECT_EQ(ReadUserDir(text, "XDG_DESKTOP_DIR", "/home/anna"), "/home/anna/Schreibtisch");
    EXPECT_EQ(ReadUserDir("XDG_DESKTOP_DIR=\"/srv/desk\"\n", "XDG_DESKTOP_DIR", "/h"), "/srv/desk");
    EXPECT_EQ(ReadUserDir("XDG_DESKTOP_DIR=\"$HOME/\"\n", "XDG_DESKTOP_DIR", "/h"), "/h/");
    EXPECT_EQ(ReadUserDir("XDG_DESKTOP_DIR=\"$HOME/My \\\"Desk\\\"\"\n", "XDG_DESKTOP_DIR", "/h"), "/h/My \"Desk\"");
}

TEST(XdgUserDirs, MissingOrMalformedEntriesGiveNothing)
{
    EXPECT_FALSE(ReadUserDir("", "XDG_DESKTOP_DIR", "/h"));
    EXPECT_FALSE(ReadUserDir("#XDG_DESKTOP_DIR=\"$HOME/D\"\n", "XDG_DESKTOP_DIR", "/h"));
    EXPECT_FALSE(ReadUserDir("XDG_DESKTOP_DIR=$HOME/D\n", "XDG_DESKTOP_DIR", "/h"));
    EXPECT_FALSE(ReadUserDir("XDG_DESKTOP_DIR=\"relative/D\"\n", "XDG_DESKTOP_DIR", "/h"));
    EXPECT_FALSE(ReadUserDir("XDG_DESKTOP_DIRX=\"/d\"\n", "XDG_DESKTOP_DIR", "/h"));
    EXPECT_FALSE(ReadUserDir("XDG_DESKTOP_DIR=\"$HOMEX/d\"\n", "XDG_DESKTOP_DIR", "/h"));
}

TEST(DesktopEntry, ALinkToTheFolderWithNameAndPathEscaped)
{
    EXPECT_EQ(platform::LinkFileText("/srv/Scans/Reports", "Reports"),
              "[Desktop Entry]\nVersion=1.0\nType=Link\nName=Reports\nIcon=folder\nURL=file:///srv/Scans/Reports\n");
    std::string text = platform::LinkFileText("/srv/a b/%x/\xc3\xa5#1", " Two\\Lines\n ");
    EXPECT_NE(text.find("\nName=\\sTwo\\\\Lines\\n\\s\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nURL=file:///srv/a%20b/%25x/%C3%A5%231\n"), std::string::npos) << text;
    // Tabs and carriage returns are escaped too; a lone blank is at both ends.
    text = platform::LinkFileText("/srv/x-y_z.1~2", "A\tB\rC");
    EXPECT_NE(text.find("\nName=A\\tB\\rC\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nURL=file:///srv/x-y_z.1~2\n"), std::string::npos) << text;
    EXPECT_NE(platform::LinkFileText("/", " ").find("\nName=\\s\n"), std::string::npos);
}

TEST(LinuxShell, AskingForTheDesktopCreatesNothingAndTheFirstLinkMakesIt)
{
    auto& shell = platform::IShell::Default();
    std::string home = std::getenv("HOME");
    CString desktop;
    ASSERT_EQ(shell.GetDesktopDirectory(desktop), 0);
    EXPECT_EQ(desktop.ToUtf8(), home + "/Desktop");
    EXPECT_FALSE(std::filesystem::exists(home + "/Desktop"));

    EXPECT_EQ(shell.CreateLinkFile(u"/srv/Reports", u"Reports", desktop + u"/Reports.desktop"), 0);
    EXPECT_EQ(std::filesystem::status(home + "/Desktop/Reports.desktop").permissions() & std::filesystem::perms::all,
              static_cast<std::filesystem::perms>(0755));
    // Only the desktop folder itself is made, never the folders above it.
    EXPECT_EQ(shell.CreateLinkFile(u"/srv/Reports", u"Reports", CString::FromUtf8(home + "/No/Desk/R.desktop")),
              platform::HResultFromWin32(3));
    EXPECT_FALSE(std::filesystem::exists(home + "/No"));
}

TEST(LinuxShell, TheDesktopOfTheUsersConfigurationAndALinkThatCannotBeWritten)
{
    auto& shell = platform::IShell::Default();
    const std::string home = std::getenv("HOME");
    const std::string config = home + "/settings";
    std::filesystem::create_directories(config);
    std::ofstream(config + "/user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    CString desktop;
    EXPECT_EQ(shell.GetDesktopDirectory(desktop), 0);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(desktop.ToUtf8(), home + "/Schreibtisch");

    // A folder where the link should go: no file can be made there.
    std::filesystem::create_directories(home + "/Schreibtisch/Reports.desktop");
    EXPECT_EQ(shell.CreateLinkFile(u"/srv/Reports", u"Reports", desktop + u"/Reports.desktop"),
              platform::HResultFromWin32(31));
}
