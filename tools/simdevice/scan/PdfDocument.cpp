#include "tools/simdevice/scan/ScanDocument.h"

#include <cstdio>
#include <vector>

namespace simdevice {

namespace {

// The caption as a PDF literal string's contents: parentheses and backslashes escaped, and
// whatever the standard Helvetica encoding may not show replaced.
std::string PdfLiteral(const std::string& text)
{
    std::string literal;
    for (const char c : text) {
        if (c == '(' || c == ')' || c == '\\')
            literal += '\\';
        literal += (c >= 0x20 && c <= 0x7e) ? c : '?';
    }
    return literal;
}

// One cross-reference entry: exactly 20 bytes, the line ending being space and newline.
std::string XrefEntry(std::size_t offset)
{
    char entry[21];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    return entry;
}

} // namespace

std::string MakePdfDocument(const std::string& caption)
{
    const std::string content = "BT /F1 14 Tf 72 770 Td (" + PdfLiteral(caption) + ") Tj ET\n";
    const std::vector<std::string> objects{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 4 0 R >> >> "
        "/Contents 5 0 R >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
    };

    // The second line's high bytes tell file transfer programs that this is binary.
    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets)
        pdf += XrefEntry(offset);
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\n";
    pdf += "startxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

} // namespace simdevice
