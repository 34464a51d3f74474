// The one-page documents the simulated device writes when it scans: small but real files of
// each format a folder record can ask for, so that a test can open what arrived.
#pragma once

#include <optional>
#include <string>

namespace simdevice {

enum class ScanFormat { Pdf, Tiff, Jpeg };

// The format a record's FileFormat names: "PDF", "TIFF", "MTIFF" (a multi-page TIFF; one page is
// still a TIFF) or "JPEG"; an empty FileFormat means PDF, as on the device's panel. Anything
// else has no format.
std::optional<ScanFormat> ScanFormatOf(const std::string& fileFormat);
// The file name extension without the dot: "pdf", "tif", "jpg".
const char* ExtensionOf(ScanFormat format);

// A PDF 1.4 file with one A4 page that shows caption in Helvetica (characters outside
// printable ASCII become '?'), with a cross-reference table that points at every object.
std::string MakePdfDocument(const std::string& caption);
// A baseline little-endian TIFF: one strip of 8x8 uncompressed 8-bit grey pixels, 200 dpi.
std::string MakeTiffDocument();
// A baseline JPEG of 16x16 grey pixels; empty when the encoder failed.
std::string MakeJpegDocument();

// The document of that format; caption goes where the format can show text.
std::string MakeScanDocument(ScanFormat format, const std::string& caption);

} // namespace simdevice
