#include "tools/simdevice/scan/ScanDocument.h"

#include <array>
#include <cstdint>

namespace simdevice {

namespace {

constexpr std::uint32_t kSide = 8;
constexpr std::uint32_t kPixelBytes = kSide * kSide;
constexpr std::uint32_t kDotsPerInch = 200;

// TIFF field types.
constexpr std::uint16_t kShort = 3;
constexpr std::uint16_t kLong = 4;
constexpr std::uint16_t kRational = 5;

struct Entry {
    std::uint16_t tag;
    std::uint16_t type;
    std::uint32_t value;  // the value itself, or for a rational the offset of its two longs
};

// Layout: header (8 bytes), the pixels as the only strip, the directory, the resolution.
constexpr std::uint32_t kPixelsAt = 8;
constexpr std::uint32_t kDirectoryAt = kPixelsAt + kPixelBytes;
constexpr std::size_t kEntries = 12;
constexpr std::uint32_t kResolutionAt = kDirectoryAt + 2 + kEntries * 12 + 4;

// The fields a baseline reader needs for a grey image, in ascending tag order as required.
constexpr std::array<Entry, kEntries> kDirectory{{
    {256, kShort, kSide},          // ImageWidth
    {257, kShort, kSide},          // ImageLength
    {258, kShort, 8},              // BitsPerSample
    {259, kShort, 1},              // Compression: none
    {262, kShort, 1},              // PhotometricInterpretation: black is zero
    {273, kLong, kPixelsAt},       // StripOffsets
    {277, kShort, 1},              // SamplesPerPixel
    {278, kShort, kSide},          // RowsPerStrip: all of them
    {279, kLong, kPixelBytes},     // StripByteCounts
    {282, kRational, kResolutionAt},  // XResolution
    {283, kRational, kResolutionAt},  // YResolution: the same number
    {296, kShort, 2},              // ResolutionUnit: inch
}};

void Put16(std::string& out, std::uint32_t value)
{
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}

void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

} // namespace

std::string MakeTiffDocument()
{
    std::string tiff = "II*";
    tiff += '\0';
    Put32(tiff, kDirectoryAt);
    // A diagonal grey ramp: dark at the top left, light at the bottom right.
    for (std::uint32_t y = 0; y < kSide; ++y)
        for (std::uint32_t x = 0; x < kSide; ++x)
            tiff += static_cast<char>((x + y) * 255 / (2 * (kSide - 1)));

    Put16(tiff, kEntries);
    for (const Entry& entry : kDirectory) {
        Put16(tiff, entry.tag);
        Put16(tiff, entry.type);
        Put32(tiff, 1);  // count
        if (entry.type == kShort) {
            Put16(tiff, entry.value);  // left-justified in the 4-byte value field
            Put16(tiff, 0);
        } else {
            Put32(tiff, entry.value);
        }
    }
    Put32(tiff, 0);  // no further directory
    Put32(tiff, kDotsPerInch);
    Put32(tiff, 1);
    return tiff;
}

} // namespace simdevice
