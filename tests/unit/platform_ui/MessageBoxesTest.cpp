#include "platform/ui/MessageBoxes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <vector>

using namespace platform;

TEST(MessageBoxStyle, ButtonSetsAndDefaults)
{
    auto buttons = [](unsigned style) {
        auto span = ButtonsOf(style);
        return std::vector<int>(span.begin(), span.end());
    };
    EXPECT_EQ(buttons(MB_OK | MB_ICONERROR | MB_TOPMOST), std::vector<int>{IDOK});
    EXPECT_EQ(buttons(MB_YESNO | MB_ICONWARNING), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(buttons(MB_YESNOCANCEL), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    EXPECT_EQ(buttons(0xE), std::vector<int>{IDOK}); // unknown set

    EXPECT_EQ(DefaultButton(0x34), IDYES);
    EXPECT_EQ(DefaultButton(0x134), IDNO);
    EXPECT_EQ(DefaultButton(MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(DefaultButton(MB_OK | MB_DEFBUTTON2), IDOK); // beyond the last button: the first
}

TEST(MessageBoxes, WithoutADisplayTheBoxGoesToStandardErrorAndTakesTheDefault)
{
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    testing::internal::CaptureStderr();
    int answer = IMessageBoxes::Default().Show(u"Do you want to continue?", u"Warning", 0x134);
    int second = 0;
    std::thread worker([&] { second = IMessageBoxes::Default().Show(u"Fehler beim Öffnen", u"Fehler", MB_OK); });
    worker.join(); // a worker without a running main loop must not wait either
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(second, IDOK);
    EXPECT_NE(written.find("Warning: Do you want to continue?\n"), std::string::npos) << written;
    EXPECT_NE(written.find("Fehler: Fehler beim Öffnen\n"), std::string::npos) << written;
}
