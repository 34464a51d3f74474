// Pages on the real WebKitGTK host (under Xvfb): a module folder on the test's private drive C:
// with the test pages in ENWW, DEWW and HEWW, and helpers to act inside a running page.
#pragma once

#include "wizard/PageChain.h"

#include "platform/core/Paths.h"
#include "platform/ui/PageWindowTesting.h"
#include "platform/ui/UiThread.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <set>

class WebKitFixture : public ::testing::Test {
protected:
    WebKitFixture()
    {
        state.moduleFolder = u"C:\\Tarrow";
        state.languageCode = u"ENWW";
        for (const char* language : {"ENWW", "DEWW", "HEWW"}) {
            std::filesystem::path folder = Posix(u"C:\\Tarrow") / language;
            std::filesystem::create_directories(folder);
            for (const auto& page : std::filesystem::directory_iterator(TEST_PAGES_DIR))
                std::filesystem::copy_file(page.path(), folder / page.path().filename(),
                                           std::filesystem::copy_options::overwrite_existing);
        }
    }

    static std::filesystem::path Posix(const CString& path) { return *platform::ToPosixPath(path); }

    // The result of a script in the page, "<failed>" when it does not answer.
    static std::string Js(CBaseDlg& page, const std::string& body)
    {
        std::string result;
        if (!page.Window() || !platform::EvaluateInPage(*page.Window(), body, result))
            return "<failed>";
        return result;
    }

    // Runs step on the user-interface thread once the next modal loop runs.
    static void WhenRunning(std::function<void()> step) { platform::PostToUiThread(std::move(step)); }

    // Distinct colours of a PNG (counted up to a limit) and its size: a blank page has one or two.
    static std::size_t Colours(const std::string& png, int& width, int& height, std::size_t limit = 16)
    {
        cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
        width = cairo_image_surface_get_width(image);
        height = cairo_image_surface_get_height(image);
        std::set<std::uint32_t> colours;
        int stride = cairo_image_surface_get_stride(image);
        const unsigned char* data = cairo_image_surface_get_data(image);
        for (int row = 0; data && row < height && colours.size() < limit; ++row)
            for (int col = 0; col < width; ++col)
                colours.insert(reinterpret_cast<const std::uint32_t*>(data + row * stride)[col]);
        cairo_surface_destroy(image);
        return colours.size();
    }

    static std::string ArtifactPath(const std::string& name)
    {
        std::filesystem::create_directories(ARTIFACT_DIR);
        return std::string(ARTIFACT_DIR) + "/" + name;
    }

    WizardState state;
};
