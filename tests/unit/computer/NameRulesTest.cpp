// Pure rules about names: Windows path components, Samba share names and Samba's listings.
#include "platform/fs/WindowsPath.h"
#include "platform/shares/ShareListing.h"
#include "platform/shares/ShareName.h"

#include <gtest/gtest.h>

TEST(WindowsPath, TheFullPathStepDropsTrailingBlanksAndDotsOfTheLastComponentOnly)
{
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"C:\\T\\Trail ", u"C:\\T\\Trail"},
        {u"C:\\T\\Trail. . ", u"C:\\T\\Trail"},
        {u"C:\\T. \\Trail", u"C:\\T. \\Trail"},
        {u"C:\\T\\...", u"C:\\T\\"},
        {u"/srv/a./b..", u"/srv/a./b"},
        {u"Trail.", u"Trail"},
        {u"C:\\T\\", u"C:\\T\\"},
        {u"C:\\T\\..", u"C:\\T\\.."},
        {u"C:\\T\\.", u"C:\\T\\."},
        {u"C:\\T\\.hidden", u"C:\\T\\.hidden"},
        {u"", u""},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(platform::WithoutTrailingBlanksAndDots(path), CString(expected)) << CString(path).ToUtf8();
}

TEST(WindowsPath, OnePathComponent)
{
    for (std::u16string_view name : {u"Reports", u"a b", u".hidden", u"...x", u"\u00e4rger"})
        EXPECT_TRUE(platform::IsOnePathComponent(name)) << CString(name).ToUtf8();
    const std::u16string_view refused[] = {u"", u".", u"..", u"..\\..\\Escaped", u"a/b", std::u16string_view(u"abc\0def", 7),
                                           u"tab\there", u"\u001f", u"del\u007f", u"c1\u009f", u"line\n"};
    for (std::u16string_view name : refused)
        EXPECT_FALSE(platform::IsOnePathComponent(name)) << CString(name).ToUtf8();
}

TEST(ShareName, NamesCompareAsSambaComparesThemOverAllOfUnicode)
{
    const std::tuple<std::string_view, std::string_view, bool> cases[] = {
        {"Reports", "REPORTS", true},
        {"\xc3\x84RGER", "\xc3\xa4rger", true},             // ÄRGER, ärger
        {"\xce\xa3\xce\xbf\xcf\x82", "\xcf\x83\xce\xbf\xcf\x83", true}, // Σος, σοσ: final sigma too
        {"\xf0\x90\x90\x80", "\xf0\x90\x90\xa8", true},     // Deseret capital and small long I
        {"STRASSE", "stra\xc3\x9f" "e", false},             // simple case mapping: ß stays one letter
        {"Report", "Reports", false},
        {"Reports", "Report", false},
        {"\xff" "a", "\xff" "a", true},                     // not UTF-8: byte for byte
        {"\xff" "a", "\xff" "A", false},
        {"", "", true},
    };
    for (const auto& [a, b, same] : cases)
        EXPECT_EQ(platform::SameShareName(a, b), same) << a << " / " << b;
}

TEST(ShareName, NamesSambaTakesAndNamesItKeeps)
{
    std::string longest(platform::kMaxShareNameLength, 'n');
    for (std::string_view name : {std::string_view("Reports"), std::string_view("a b"), std::string_view("-dash"),
                                  std::string_view("\xc3\xa4rger"), std::string_view("IPC"), std::string_view(longest)})
        EXPECT_TRUE(platform::IsValidShareName(name)) << name;
    // 79 letters and one outside the Basic Multilingual Plane: 81 UTF-16 code units.
    std::string tooLong = std::string(platform::kMaxShareNameLength - 1, 'n') + "\xf0\x90\x90\x80";
    std::vector<std::string> refused{"", longest + "n", tooLong, "\xff", "tab\t", "del\x7f", "c1\xc2\x85", std::string("nul\0", 4)};
    for (char ch : std::string_view("%<>*?|/\\+=;:\","))
        refused.push_back(std::string("a") + ch + "b");
    for (const auto& name : refused)
        EXPECT_FALSE(platform::IsValidShareName(name)) << name;

    for (std::string_view name : {"IPC$", "ipc$", "ADMIN$", "Global", "HOMES", "printers", "PRINT$"})
        EXPECT_TRUE(platform::IsReservedShareName(name)) << name;
    for (std::string_view name : {"IPC", "print", "homes2", "C$"})
        EXPECT_FALSE(platform::IsReservedShareName(name)) << name;
}

TEST(ShareListing, SectionsOfBothToolsAreReadAndTheGlobalSectionLeftOut)
{
    const char* usershares = "[\xc3\x84RGER]\npath=/srv/a=b\ncomment= two  words\nusershare_acl=S-1-1-0:R,\nguest_ok=n\n\n"
                             "[Other]\npath=/srv/other\n";
    auto sections = platform::ReadShareSections(usershares, platform::kUsershareSeparator);
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].name, "\xc3\x84RGER");
    EXPECT_EQ(sections[0].path, "/srv/a=b");
    EXPECT_EQ(sections[0].comment, " two  words");
    EXPECT_EQ(sections[0].acl, "S-1-1-0:R,");
    EXPECT_EQ(sections[1].path, "/srv/other");
    EXPECT_EQ(platform::FindShareSection(sections, "\xc3\xa4rger"), &sections[0]);
    EXPECT_EQ(platform::FindShareSection(sections, "OTHER"), &sections[1]);
    EXPECT_EQ(platform::FindShareSection(sections, "Othe"), nullptr);

    const char* configuration = "# Global parameters\n[global]\n\tpath = /not/a/share\n\tworkgroup = X\n\n\n"
                                "[Fixed]\n\tcomment = a = b\n\tpath = /srv/fixed\n";
    sections = platform::ReadShareSections(configuration, platform::kTestparmSeparator);
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(sections[0].name, "Fixed");
    EXPECT_EQ(sections[0].path, "/srv/fixed");
    EXPECT_EQ(sections[0].comment, "a = b");
    EXPECT_EQ(platform::FindShareSection(sections, "global"), nullptr);

    // "[]" opens a section without a name: its lines belong to no other share.
    sections = platform::ReadShareSections("[A]\npath=/srv/a\n[]\npath=/srv/none\n", platform::kUsershareSeparator);
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].path, "/srv/a");
    EXPECT_EQ(sections[1].name, "");
    EXPECT_EQ(sections[1].path, "/srv/none");

    // What comes before the first section belongs to no share.
    sections = platform::ReadShareSections("path = /before/any\n[A]\n\tpath = /srv/a\n", platform::kTestparmSeparator);
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(sections[0].path, "/srv/a");
}

TEST(ShareName, LengthCountsUtf16UnitsAndNamesThatAreNoUtf8CompareAsBytes)
{
    // A character beyond the basic plane takes two of the 80 units.
    const std::string clef = "\xF0\x9D\x84\x9E";  // U+1D11E
    EXPECT_TRUE(platform::IsValidShareName(std::string(78, 'a') + clef));
    EXPECT_FALSE(platform::IsValidShareName(std::string(79, 'a') + clef));
    EXPECT_TRUE(platform::IsValidShareName(std::string(80, 'a')));
    EXPECT_FALSE(platform::IsValidShareName(std::string(81, 'a')));

    EXPECT_TRUE(platform::SameShareName("scan\xFF", "scan\xFF"));
    EXPECT_FALSE(platform::SameShareName("scan\xFF", "SCAN\xFF"));
    EXPECT_FALSE(platform::SameShareName("scan\xFF", "scan\xFE"));
}
