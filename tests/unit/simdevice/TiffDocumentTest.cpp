// The scan's TIFF: a little-endian header and one directory with the fields of a baseline
// grey image, whose strip lies inside the file.
#include "tools/simdevice/scan/ScanDocument.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

namespace {

std::uint32_t Read16(const std::string& data, std::size_t at)
{
    return static_cast<std::uint8_t>(data.at(at)) | static_cast<std::uint8_t>(data.at(at + 1)) << 8;
}

std::uint32_t Read32(const std::string& data, std::size_t at)
{
    return Read16(data, at) | Read16(data, at + 2) << 16;
}

struct Field {
    std::uint32_t type;
    std::uint32_t count;
    std::uint32_t value;  // a SHORT from the first two bytes, else the LONG
};

// The directory at the header's offset, by tag; checks that the tags ascend.
std::map<std::uint32_t, Field> Directory(const std::string& tiff)
{
    std::map<std::uint32_t, Field> fields;
    const std::uint32_t at = Read32(tiff, 4);
    const std::uint32_t count = Read16(tiff, at);
    std::uint32_t previous = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = at + 2 + 12 * i;
        const std::uint32_t tag = Read16(tiff, entry);
        EXPECT_GT(tag, previous);
        previous = tag;
        const std::uint32_t type = Read16(tiff, entry + 2);
        fields[tag] = {type, Read32(tiff, entry + 4), type == 3 ? Read16(tiff, entry + 8) : Read32(tiff, entry + 8)};
    }
    EXPECT_EQ(Read32(tiff, at + 2 + 12 * count), 0u);  // the only directory
    return fields;
}

} // namespace

TEST(TiffDocument, StartsWithTheLittleEndianHeader)
{
    const std::string tiff = simdevice::MakeTiffDocument();
    EXPECT_EQ(tiff.substr(0, 4), std::string("II*\0", 4));
    EXPECT_EQ(Read32(tiff, 4), 72u);
    EXPECT_EQ(tiff.size(), 8u + 64u + 2u + 12u * 12u + 4u + 8u);
}

TEST(TiffDocument, DescribesAnUncompressedEightByEightGreyImage)
{
    const std::string tiff = simdevice::MakeTiffDocument();
    const std::map<std::uint32_t, Field> fields = Directory(tiff);
    const std::map<std::uint32_t, std::uint32_t> expected{
        {256, 8}, {257, 8}, {258, 8}, {259, 1}, {262, 1}, {273, 8}, {277, 1}, {278, 8}, {279, 64}, {296, 2},
    };
    for (const auto& [tag, value] : expected) {
        ASSERT_EQ(fields.count(tag), 1u) << tag;
        EXPECT_EQ(fields.at(tag).value, value) << tag;
        EXPECT_EQ(fields.at(tag).count, 1u) << tag;
    }
    EXPECT_EQ(fields.size(), 12u);
}

TEST(TiffDocument, TheResolutionIsTwoHundredDotsPerInch)
{
    const std::string tiff = simdevice::MakeTiffDocument();
    const std::map<std::uint32_t, Field> fields = Directory(tiff);
    for (const std::uint32_t tag : {282u, 283u}) {
        ASSERT_EQ(fields.count(tag), 1u) << tag;
        EXPECT_EQ(fields.at(tag).type, 5u);
        EXPECT_EQ(Read32(tiff, fields.at(tag).value), 200u);
        EXPECT_EQ(Read32(tiff, fields.at(tag).value + 4), 1u);
    }
}

TEST(TiffDocument, TheStripHoldsAGreyRamp)
{
    const std::string tiff = simdevice::MakeTiffDocument();
    EXPECT_EQ(static_cast<std::uint8_t>(tiff[8]), 0u);
    EXPECT_EQ(static_cast<std::uint8_t>(tiff[8 + 63]), 255u);
    EXPECT_EQ(static_cast<std::uint8_t>(tiff[8 + 7]), 127u);
}
