// The fixed pages of the device's web server, sent whatever the request.
#pragma once

#include <cstddef>
#include <string>

namespace simdevice {

// The log-in page of a password-protected web server; its BODY holds "Unable to authorize".
std::string LogInPage();
std::string ServerErrorPage();
std::string NotFoundPage();
// Bytes that are no XML at all: invalid UTF-8 and a NUL byte among them.
std::string GarbledBytes();
// 64 KiB of folder records, sent again and again by a reply that never ends.
std::string EndlessPiece();
// The reply whose second half never arrives (kCutOffReplyLength bytes announced).
std::string CutOffReply();
inline constexpr std::size_t kCutOffReplyLength = 64;

} // namespace simdevice
