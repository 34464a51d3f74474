// Which document a folder record's FileFormat asks for, and its file name extension.
#include "tools/simdevice/scan/ScanDocument.h"

#include <gtest/gtest.h>

using simdevice::ScanFormat;
using simdevice::ScanFormatOf;

TEST(ScanFormat, FollowsTheRecordsFileFormat)
{
    EXPECT_EQ(ScanFormatOf("PDF"), ScanFormat::Pdf);
    EXPECT_EQ(ScanFormatOf(""), ScanFormat::Pdf);
    EXPECT_EQ(ScanFormatOf("TIFF"), ScanFormat::Tiff);
    EXPECT_EQ(ScanFormatOf("MTIFF"), ScanFormat::Tiff);
    EXPECT_EQ(ScanFormatOf("JPEG"), ScanFormat::Jpeg);
    EXPECT_EQ(ScanFormatOf("pdf"), std::nullopt);
    EXPECT_EQ(ScanFormatOf("PNG"), std::nullopt);
}

TEST(ScanFormat, NamesItsExtension)
{
    EXPECT_STREQ(simdevice::ExtensionOf(ScanFormat::Pdf), "pdf");
    EXPECT_STREQ(simdevice::ExtensionOf(ScanFormat::Tiff), "tif");
    EXPECT_STREQ(simdevice::ExtensionOf(ScanFormat::Jpeg), "jpg");
}

TEST(ScanFormat, MakesTheDocumentOfTheFormat)
{
    EXPECT_EQ(simdevice::MakeScanDocument(ScanFormat::Pdf, "x"), simdevice::MakePdfDocument("x"));
    EXPECT_EQ(simdevice::MakeScanDocument(ScanFormat::Tiff, "x"), simdevice::MakeTiffDocument());
    EXPECT_EQ(simdevice::MakeScanDocument(ScanFormat::Jpeg, "x"), simdevice::MakeJpegDocument());
}
