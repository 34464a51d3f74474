// The scan's PDF: header, one page, a cross-reference table whose every entry points at its
// object, and a startxref that points at the table.
#include "tools/simdevice/scan/ScanDocument.h"

#include <gtest/gtest.h>

#include <string>

using simdevice::MakePdfDocument;

namespace {

std::size_t NumberAfter(const std::string& text, const std::string& key)
{
    const std::size_t at = text.find(key);
    EXPECT_NE(at, std::string::npos) << key;
    return at == std::string::npos ? 0 : std::stoul(text.substr(at + key.size()));
}

} // namespace

TEST(PdfDocument, StartsWithTheHeaderAndEndsWithTheEndOfFileMarker)
{
    const std::string pdf = MakePdfDocument("Scanned to Scans");
    EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.4\n");
    EXPECT_EQ(pdf.substr(9, 6), "%\xE2\xE3\xCF\xD3\n");
    ASSERT_GE(pdf.size(), 6u);
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
}

TEST(PdfDocument, StartxrefPointsAtTheCrossReferenceTable)
{
    const std::string pdf = MakePdfDocument("Scanned to Scans");
    const std::size_t xref = NumberAfter(pdf, "startxref\n");
    EXPECT_EQ(pdf.substr(xref, 9), "xref\n0 6\n");
    EXPECT_EQ(pdf.rfind("xref\n0 6\n"), xref);
}

TEST(PdfDocument, EveryCrossReferenceEntryPointsAtItsObject)
{
    const std::string pdf = MakePdfDocument("Scanned to Scans");
    const std::size_t table = NumberAfter(pdf, "startxref\n") + std::string("xref\n0 6\n").size();
    EXPECT_EQ(pdf.substr(table, 20), "0000000000 65535 f \n");
    for (int object = 1; object <= 5; ++object) {
        const std::string entry = pdf.substr(table + 20 * static_cast<std::size_t>(object), 20);
        ASSERT_EQ(entry.substr(10), " 00000 n \n") << entry;
        const std::size_t offset = std::stoul(entry.substr(0, 10));
        const std::string header = std::to_string(object) + " 0 obj\n";
        EXPECT_EQ(pdf.substr(offset, header.size()), header);
    }
    EXPECT_EQ(pdf.substr(table + 20 * 6, 9), "trailer\n<");
    EXPECT_NE(pdf.find("<< /Size 6 /Root 1 0 R >>"), std::string::npos);
}

TEST(PdfDocument, HasOnePageThatShowsTheCaption)
{
    const std::string pdf = MakePdfDocument("Scans (A) \\ B");
    EXPECT_NE(pdf.find("<< /Type /Pages /Kids [3 0 R] /Count 1 >>"), std::string::npos);
    const std::string content = "BT /F1 14 Tf 72 770 Td (Scans \\(A\\) \\\\ B) Tj ET\n";
    const std::string stream = "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream";
    EXPECT_NE(pdf.find(stream), std::string::npos) << pdf;
}

TEST(PdfDocument, ShowsCharactersOutsidePrintableAsciiAsQuestionMarks)
{
    const std::string pdf = MakePdfDocument("R\xC3\xA9sum\xC3\xA9\n");
    EXPECT_NE(pdf.find("(R??" "sum??" "?) Tj"), std::string::npos) << pdf;
}
