// The fixed pages of the device's web server, sent whatever the request.
#pragma once

#include <string>

namespace simdevice {

// The log-in page of a password-protected web server; its BODY holds "Unable to authorize".
std::string LogInPage();
std::string ServerErrorPage();
std::string NotFoundPage();
// Bytes that are no XML at all: invalid UTF-8 and a NUL byte among them.
std::string GarbledBytes();

} // namespace simdevice
