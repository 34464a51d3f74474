// The scan's JPEG: start and end markers, and a baseline frame of 16x16 grey pixels between them.
#include "tools/simdevice/scan/ScanDocument.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::uint8_t Byte(const std::string& data, std::size_t at)
{
    return static_cast<std::uint8_t>(data.at(at));
}

// The offset of the first segment with this marker before the scan starts, or npos.
std::size_t FindSegment(const std::string& jpeg, std::uint8_t marker)
{
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && Byte(jpeg, at) == 0xFF) {
        if (Byte(jpeg, at + 1) == marker)
            return at;
        if (Byte(jpeg, at + 1) == 0xDA)
            break;
        at += 2 + (Byte(jpeg, at + 2) << 8 | Byte(jpeg, at + 3));
    }
    return std::string::npos;
}

} // namespace

TEST(JpegDocument, StartsAndEndsWithTheImageMarkers)
{
    const std::string jpeg = simdevice::MakeJpegDocument();
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_EQ(jpeg.substr(0, 3), "\xFF\xD8\xFF");
    EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
}

TEST(JpegDocument, HasABaselineFrameOfSixteenBySixteenGreyPixels)
{
    const std::string jpeg = simdevice::MakeJpegDocument();
    const std::size_t frame = FindSegment(jpeg, 0xC0);
    ASSERT_NE(frame, std::string::npos);
    EXPECT_EQ(Byte(jpeg, frame + 4), 8);                                  // bits per sample
    EXPECT_EQ(Byte(jpeg, frame + 5) << 8 | Byte(jpeg, frame + 6), 16);    // height
    EXPECT_EQ(Byte(jpeg, frame + 7) << 8 | Byte(jpeg, frame + 8), 16);    // width
    EXPECT_EQ(Byte(jpeg, frame + 9), 1);                                  // components
    EXPECT_NE(FindSegment(jpeg, 0xDA), std::string::npos);
}
