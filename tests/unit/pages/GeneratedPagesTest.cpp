// Every generated page: present in every page folder, with its language and direction, only local
// references, buttons that never submit, and a label for every control.
#include <gtest/gtest.h>

#include "HtmlTags.h"
#include "PageFolders.h"

#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

const HtmlTag* Find(const std::vector<HtmlTag>& tags, const std::string& name)
{
    for (const auto& tag : tags)
        if (tag.name == name)
            return &tag;
    return nullptr;
}

TEST(GeneratedPagesTest, EveryPageExistsInEveryFolderAndNoOtherPage)
{
    for (const auto& folder : kPageFolders) {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(std::string(TARROW_PAGES_BIN_DIR) + "/" + folder))
            found.insert(entry.path().filename().string());
        std::set<std::string> expected;
        for (const auto& page : kPages)
            expected.insert(page + ".htm");
        EXPECT_EQ(found, expected) << folder;
    }
}

TEST(GeneratedPagesTest, LanguageAndDirectionFollowTheFolder)
{
    const std::map<std::string, std::pair<std::string, std::string>> expected = {
        {"ENWW", {"en", "ltr"}}, {"ARWW", {"ar", "rtl"}}, {"CAWW", {"ca", "ltr"}}, {"CSWW", {"cs", "ltr"}},
        {"DAWW", {"da", "ltr"}}, {"DEWW", {"de", "ltr"}}, {"ELWW", {"el", "ltr"}}, {"ESWW", {"es", "ltr"}},
        {"FIWW", {"fi", "ltr"}}, {"FRWW", {"fr", "ltr"}}, {"HEWW", {"he", "rtl"}}, {"HUWW", {"hu", "ltr"}},
        {"IDWW", {"id", "ltr"}}, {"ITWW", {"it", "ltr"}}, {"JAWW", {"ja", "ltr"}}, {"KOWW", {"ko", "ltr"}},
        {"NLWW", {"nl", "ltr"}}, {"NOWW", {"nb", "ltr"}}, {"PLWW", {"pl", "ltr"}}, {"PTWW", {"pt-BR", "ltr"}},
        {"RUWW", {"ru", "ltr"}}, {"SKWW", {"sk", "ltr"}}, {"SVWW", {"sv", "ltr"}}, {"THWW", {"th", "ltr"}},
        {"TRWW", {"tr", "ltr"}}, {"ZHCN", {"zh-CN", "ltr"}}, {"ZHTW", {"zh-TW", "ltr"}}};
    for (const auto& folder : kPageFolders)
        for (const auto& page : kPages) {
            auto tags = ReadTags(ReadText(PagePath(folder, page)));
            const HtmlTag* html = Find(tags, "html");
            ASSERT_NE(html, nullptr) << folder << "/" << page;
            EXPECT_EQ(html->Attr("lang"), expected.at(folder).first) << folder << "/" << page;
            EXPECT_EQ(html->Attr("dir"), expected.at(folder).second) << folder << "/" << page;
            const HtmlTag* meta = Find(tags, "meta");
            ASSERT_NE(meta, nullptr);
            EXPECT_EQ(meta->Attr("charset"), "utf-8");
        }
}

TEST(GeneratedPagesTest, TextsAreFilledInAndTranslated)
{
    for (const auto& page : kPages) {
        std::string english = ReadText(PagePath("ENWW", page));
        EXPECT_EQ(english.find("{{"), std::string::npos) << page;
        for (const auto& folder : kPageFolders) {
            EXPECT_EQ(ReadText(PagePath(folder, page)).find("{{"), std::string::npos) << folder << "/" << page;
            if (folder != "ENWW") {
                EXPECT_NE(Find(ReadTags(ReadText(PagePath(folder, page))), "h1")->text,
                          Find(ReadTags(english), "h1")->text) << folder << "/" << page;
            }
        }
    }
    // A table text with "<" and a quotation mark arrives escaped.
    EXPECT_NE(ReadText(PagePath("ENWW", "FolderName")).find("\\ / : ; , &quot; ? * + = &lt; &gt; [ ] |"), std::string::npos);
}

// Stylesheet, scripts and images come from beside the page folders; the two data files are
// written there by the programs at run time.
TEST(GeneratedPagesTest, ReferencesAreLocalFilesThatTheBuildCopies)
{
    const std::set<std::string> runtime = {"../js/DeviceFolderList.js", "../js/NtwkDevList.js"};
    for (const auto& folder : kPageFolders)
        for (const auto& page : kPages)
            for (const auto& tag : ReadTags(ReadText(PagePath(folder, page))))
                for (const char* attr : {"src", "href"}) {
                    if (!tag.Has(attr))
                        continue;
                    std::string ref = tag.Attr(attr);
                    EXPECT_TRUE(ref.starts_with("../")) << page << ": " << ref;
                    if (!runtime.contains(ref)) {
                        EXPECT_TRUE(fs::is_regular_file(std::string(TARROW_PAGES_BIN_DIR) + "/" + ref.substr(3)))
                            << page << ": " << ref;
                    }
                }
}

TEST(GeneratedPagesTest, NothingSubmitsAndEveryControlHasALabel)
{
    for (const auto& page : kPages) {
        auto tags = ReadTags(ReadText(PagePath("ENWW", page)));
        std::set<std::string> labelled, ids;
        for (const auto& tag : tags) {
            if (tag.Has("id"))
                ids.insert(tag.Attr("id"));
            if (tag.name == "label" && tag.Has("for"))
                labelled.insert(tag.Attr("for"));
        }
        for (const auto& tag : tags) {
            EXPECT_NE(tag.name, "form") << page;
            if (tag.name == "button") {
                EXPECT_EQ(tag.Attr("type"), "button") << page << ": " << tag.Attr("id");
            }
            bool control = tag.name == "select" || (tag.name == "input" && tag.Attr("type") != "hidden");
            if (!control)
                continue;
            std::string id = tag.Attr("id");
            bool named = labelled.contains(id) || ids.contains(tag.Attr("aria-labelledby"));
            EXPECT_TRUE(named) << page << ": " << id << " has no label";
        }
    }
}

TEST(GeneratedPagesTest, ImagesAreCopiedBesideThePageFolders)
{
    for (const char* name : {"Blank", "PresentFocus", "Success", "Failure"}) {
        std::string bmp = ReadText(std::string(TARROW_PAGES_BIN_DIR) + "/Images/" + name + ".bmp");
        ASSERT_EQ(bmp.size(), 54u + 16 * 16 * 3) << name;
        EXPECT_EQ(bmp.substr(0, 2), "BM") << name;
        EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24u) << name; // bits per pixel
    }
    std::string icon = ReadText(std::string(TARROW_PAGES_BIN_DIR) + "/Images/Tarrow.png");
    EXPECT_EQ(icon.substr(0, 8), "\x89PNG\r\n\x1a\n");
}

} // namespace
