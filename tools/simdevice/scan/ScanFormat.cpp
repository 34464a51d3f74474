#include "tools/simdevice/scan/ScanDocument.h"

#include <array>
#include <string_view>

namespace simdevice {

namespace {

struct FormatRow {
    std::string_view fileFormat;  // as the folder record spells it
    ScanFormat format;
};

constexpr std::array<FormatRow, 5> kFormats{{
    {"", ScanFormat::Pdf},
    {"PDF", ScanFormat::Pdf},
    {"TIFF", ScanFormat::Tiff},
    {"MTIFF", ScanFormat::Tiff},
    {"JPEG", ScanFormat::Jpeg},
}};

} // namespace

std::optional<ScanFormat> ScanFormatOf(const std::string& fileFormat)
{
    for (const FormatRow& row : kFormats)
        if (row.fileFormat == fileFormat)
            return row.format;
    return std::nullopt;
}

const char* ExtensionOf(ScanFormat format)
{
    switch (format) {
    case ScanFormat::Pdf: return "pdf";
    case ScanFormat::Tiff: return "tif";
    case ScanFormat::Jpeg: return "jpg";
    }
    return "bin";
}

std::string MakeScanDocument(ScanFormat format, const std::string& caption)
{
    switch (format) {
    case ScanFormat::Pdf: return MakePdfDocument(caption);
    case ScanFormat::Tiff: return MakeTiffDocument();
    case ScanFormat::Jpeg: return MakeJpegDocument();
    }
    return {};
}

} // namespace simdevice
