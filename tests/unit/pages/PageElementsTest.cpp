// The elements through which the programs meet their pages: every id that a page class binds,
// clicks or switches, present once in its page in every folder, as the right kind of element.
#include <gtest/gtest.h>

#include "HtmlTags.h"
#include "PageFolders.h"

#include <map>

namespace {

// id -> element kind: tag name, plus the input type for inputs.
using Elements = std::map<std::string, std::string>;

const std::map<std::string, Elements> kElements = {
    {"Welcome", {{"textbox-IPAddress", "input text"}, {"textbox-HostName", "input text"}, {"textbox-MAC", "input text"},
                 {"radio-IPAddress", "input radio"}, {"radio-HostName", "input radio"}, {"radio-MAC", "input radio"},
                 {"ButtonNext", "button"}, {"ButtonCancel", "button"}, {"Link-NetworkDiscovery", "button"},
                 {"Link-HelpIP", "button"}, {"Overlay", "div"}}},
    {"SelectOp", {{"ModelIPAddress", "span"}, {"FoldersChecked", "input hidden"}, {"radio-AddFolder", "input radio"},
                  {"radio-RemoveFolder", "input radio"}, {"ButtonBack", "button"}, {"ButtonNext", "button"},
                  {"ButtonCancel", "button"}}},
    {"FolderName", {{"ButtonNext", "button"}, {"textbox-Location", "input text"}, {"ModelIPAddress", "span"},
                    {"textbox-FolderName", "input text"}, {"checkbox-Shortcut", "input checkbox"},
                    {"ButtonBack", "button"}, {"ButtonCancel", "button"}, {"ButtonBrowse", "button"}, {"Link-Edit", "button"}}},
    {"UserCredentials", {{"textbox-Domain", "input text"}, {"textbox-UserName", "input text"},
                         {"textbox-Password", "input password"}, {"checkbox-Status", "input checkbox"},
                         {"ButtonNext", "button"}, {"ButtonBack", "button"}, {"ButtonCancel", "button"}}},
    {"ScanOptions", {{"ScanTypeSelection", "select"}, {"ResolutionSelection", "select"},
                     {"DocumentTypeSelection", "select"}, {"QualitySelection", "select"},
                     {"ButtonNext", "button"}, {"ButtonBack", "button"}, {"ButtonCancel", "button"}}},
    {"ConfirmAdd", {{"QuickAccessName", "dd"}, {"ShortcutText", "span"}, {"Path", "dd"}, {"ShortcutPath", "strong"},
                    {"FeatureText", "p"}, {"ButtonBack", "button"}, {"ButtonCreate", "button"}, {"ButtonCancel", "button"}}},
    {"Progress", {{"Step1Image", "img"}, {"Step2Image", "img"}, {"Step3Image", "img"}}},
    {"Finish", {{"QuickAccessName", "dd"}, {"ShortcutText", "span"}, {"Path", "dd"}, {"ShortcutPath", "strong"},
                {"FeatureText", "p"}, {"ButtonNext", "button"}, {"ButtonDoAgain", "button"}}},
    {"Error", {{"LinkLog", "button"}, {"ButtonNext", "button"}, {"LogUnwritten", "p"}, {"LogPath", "bdi"},
               {"SharingFix", "div"}, {"ButtonAllowSharing", "button"}}},
    {"Cancel", {{"ButtonNext", "button"}}},
    {"ConfirmDelete", {{"ModelIPAddress", "span"}, {"FoldersChecked", "input hidden"}, {"ButtonNext", "button"},
                       {"ButtonBack", "button"}, {"ButtonCancel", "button"}, {"DeleteProgress", "div"}}},
    {"DeleteFinish", {{"ButtonNext", "button"}, {"ButtonDoAgain", "button"}}},
    {"NetworkDiscoveryProgress", {{"ButtonStopSearching", "button"}}},
    {"NetworkDiscoveryFinish", {{"SelectedDevice", "input hidden"}, {"ButtonNext", "button"}}},
};

std::string Kind(const HtmlTag& tag)
{
    return tag.name == "input" ? "input " + tag.Attr("type") : tag.name;
}

std::map<std::string, std::vector<HtmlTag>> TagsById(const std::string& folder, const std::string& page)
{
    std::map<std::string, std::vector<HtmlTag>> byId;
    for (const auto& tag : ReadTags(ReadText(PagePath(folder, page))))
        if (tag.Has("id"))
            byId[tag.Attr("id")].push_back(tag);
    return byId;
}

TEST(PageElementsTest, TheTableCoversEveryPage)
{
    ASSERT_EQ(kElements.size(), kPages.size());
    for (const auto& page : kPages)
        EXPECT_TRUE(kElements.contains(page)) << page;
}

TEST(PageElementsTest, EveryBoundOrClickedElementIsPresentOnceAndOfItsKind)
{
    for (const auto& folder : kPageFolders)
        for (const auto& [page, elements] : kElements) {
            auto byId = TagsById(folder, page);
            for (const auto& [id, kind] : elements) {
                auto found = byId.find(id);
                ASSERT_NE(found, byId.end()) << folder << "/" << page << ": no element " << id;
                ASSERT_EQ(found->second.size(), 1u) << folder << "/" << page << ": " << id;
                EXPECT_EQ(Kind(found->second[0]), kind) << folder << "/" << page << ": " << id;
            }
            for (const auto& [id, tags] : byId)
                EXPECT_EQ(tags.size(), 1u) << folder << "/" << page << ": id " << id << " twice";
        }
}

TEST(PageElementsTest, InitialStatesThatTheProgramsRelyOn)
{
    for (const auto& folder : kPageFolders) {
        auto progress = TagsById(folder, "Progress");
        for (const char* step : {"Step1Image", "Step2Image", "Step3Image"})
            EXPECT_EQ(progress[step][0].Attr("src"), "../Images/Blank.bmp") << folder << " " << step;
        EXPECT_EQ(TagsById(folder, "SelectOp")["FoldersChecked"][0].Attr("value"), "construct37");
        EXPECT_EQ(TagsById(folder, "ConfirmDelete")["FoldersChecked"][0].Attr("value"), "construct37");
        EXPECT_EQ(TagsById(folder, "NetworkDiscoveryFinish")["SelectedDevice"][0].Attr("value"), "DeviceNotInList");
        EXPECT_EQ(TagsById(folder, "Welcome")["Overlay"][0].Attr("class"), "OverlayHide");
        EXPECT_FALSE(TagsById(folder, "ConfirmDelete")["DeleteProgress"][0].Has("class"));
        // Stopping the shares on this computer is asked for, never assumed.
        EXPECT_FALSE(TagsById(folder, "ConfirmDelete")["checkbox-StopSharing"][0].Has("checked")) << folder;
        EXPECT_FALSE(TagsById(folder, "DeleteFinish")["ComputerSide"][0].Has("class")) << folder;
    }
}

// The program takes the selected index i of each choice as the value i + 1.
TEST(PageElementsTest, ScanOptionsAreInTheOrderOfTheirValues)
{
    const std::map<std::string, std::vector<std::string>> expected = {
        {"ScanTypeSelection", {"Black and white", "Color"}},
        {"ResolutionSelection", {"600 dpi", "400 dpi", "300 dpi", "200 dpi", "150 dpi", "75 dpi"}},
        {"DocumentTypeSelection", {"PDF", "TIFF", "Multi-page TIFF", "JPEG"}},
        {"QualitySelection", {"Small (lower quality)", "Standard", "Large (higher quality)"}},
    };
    for (const auto& folder : kPageFolders) {
        auto tags = ReadTags(ReadText(PagePath(folder, "ScanOptions")));
        std::map<std::string, std::vector<std::string>> values, texts;
        std::string select;
        for (const auto& tag : tags) {
            if (tag.name == "select")
                select = tag.Attr("id");
            else if (tag.name == "option") {
                values[select].push_back(tag.Attr("value"));
                texts[select].push_back(tag.text);
            }
        }
        for (const auto& [id, options] : expected) {
            std::vector<std::string> numbers;
            for (std::size_t i = 0; i < options.size(); ++i)
                numbers.push_back(std::to_string(i + 1));
            EXPECT_EQ(values[id], numbers) << folder << " " << id;
            if (folder == "ENWW") {
                EXPECT_EQ(texts[id], options) << id;
            }
        }
    }
}

} // namespace
