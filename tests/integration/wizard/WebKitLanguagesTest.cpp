// Every page language on the WebKitGTK host: the Welcome, FolderName and Finish pages load in each
// page folder the build wrote, no element's text runs out of its box, the right-to-left languages
// are mirrored (buttons and the address radios) and the others are not. A screenshot of each
// page goes to the artifacts folder as <page>-<folder>.png.
#include "WebKitFixture.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

// The page folders of the language table, one text table each under pages/text/.
const std::vector<std::string> kLanguages = {
    "ARWW", "CAWW", "CSWW", "DAWW", "DEWW", "ELWW", "ENWW", "ESWW", "FIWW", "FRWW", "HEWW", "HUWW", "IDWW", "ITWW",
    "JAWW", "KOWW", "NLWW", "NOWW", "PLWW", "PTWW", "RUWW", "SKWW", "SVWW", "THWW", "TRWW", "ZHCN", "ZHTW"};

bool RightToLeft(const std::string& language) { return language == "ARWW" || language == "HEWW"; }

class AnyPage : public CBaseDlg {
public:
    AnyPage(WizardState& state, const std::string& name) : CBaseDlg(state, CString::FromUtf8(name).str().c_str()) {}
};

// Elements whose own box is smaller than their text, as "tag#id.class WxH<SWxSH" separated by
// "; ", after the fonts have loaded. Inline boxes have no client size and are left out; their
// block is measured. Hidden elements and the screen-reader-only ones are left out too.
const char kOverflow[] = R"(return document.fonts.ready.then(function () {
  var found = [];
  for (const e of document.body.querySelectorAll('*')) {
    if (['SCRIPT', 'STYLE', 'OPTION', 'SELECT', 'INPUT'].includes(e.tagName)) continue;
    if (!e.textContent.trim() || !e.getClientRects().length || e.closest('.VisuallyHidden')) continue;
    if (getComputedStyle(e).display === 'inline') continue;
    if (e.scrollWidth > e.clientWidth || e.scrollHeight > e.clientHeight)
      found.push(e.tagName.toLowerCase() + (e.id ? '#' + e.id : '') + (e.className ? '.' + e.className : '') + ' '
                 + e.clientWidth + 'x' + e.clientHeight + '<' + e.scrollWidth + 'x' + e.scrollHeight
                 + ' "' + e.textContent.trim().slice(0, 40) + '"');
  }
  var root = document.documentElement;
  if (root.scrollWidth > root.clientWidth) found.push('page wider than the window: ' + root.scrollWidth);
  return found.join('; ');
});)";

// Where the main button and the first address radio sit: "next-left" or "next-right" of the
// other button, "radio-left" or "radio-right" of its box.
const char kMirror[] = R"(var x = function (id) { var e = document.getElementById(id);
  if (!e || !e.offsetWidth) return null; var r = e.getBoundingClientRect(); return r.left + r.width / 2; };
var next = x('ButtonNext'), other = x('ButtonCancel') !== null ? x('ButtonCancel') : x('ButtonDoAgain');
var out = [next === null || other === null ? 'no-buttons' : next < other ? 'next-left' : 'next-right'];
var radio = x('radio-IPAddress'), box = x('textbox-IPAddress');
if (radio !== null && box !== null) out.push(radio < box ? 'radio-left' : 'radio-right');
return out.join(' ');)";

} // namespace

TEST_F(WebKitFixture, EveryLanguageFitsItsBoxesAndMirrorsWhereItIsRightToLeft)
{
    state.moduleFolder = CString::FromUtf8(TARROW_PAGES_BIN_DIR);
    for (const std::string& language : kLanguages) {
        ASSERT_TRUE(std::filesystem::exists(std::string(TARROW_PAGES_BIN_DIR) + "/" + language + "/Welcome.htm"))
            << language << ": no page folder";
        state.languageCode = CString::FromUtf8(language);
        for (const std::string name : {"Welcome", "FolderName", "Finish"}) {
            SCOPED_TRACE(name + " " + language);
            AnyPage page(state, name);
            std::string png = ArtifactPath(name + "-" + language + ".png");
            std::filesystem::remove(png);
            std::string overflow = "<not run>", mirror, dir, lang;
            WhenRunning([&] {
                if (platform::WaitForPaint(*page.Window())) {
                    EXPECT_TRUE(platform::SavePageSnapshot(*page.Window(), png));
                    overflow = Js(page, kOverflow);
                    mirror = Js(page, kMirror);
                    dir = Js(page, "return getComputedStyle(document.body).direction;");
                    lang = Js(page, "return document.documentElement.lang;");
                } else {
                    ADD_FAILURE() << "not painted";
                }
                page.EndDialog(platform::kPageCancel);
            });
            page.DoModal();
            EXPECT_EQ(overflow, "");
            EXPECT_EQ(dir, RightToLeft(language) ? "rtl" : "ltr");
            EXPECT_NE(lang, "");
            EXPECT_NE(lang, language == "ENWW" ? "" : "en");
            std::string expected = RightToLeft(language) ? "next-left" : "next-right";
            if (name == "Welcome")
                expected += RightToLeft(language) ? " radio-right" : " radio-left";
            EXPECT_EQ(mirror, expected);
            int width = 0, height = 0;
            EXPECT_GE(Colours(png, width, height), 3u) << png;
        }
    }
}
