// The text of a freedesktop link file.
#pragma once

#include <string>

namespace platform {

// A desktop entry of Type=Link named name whose URL is the file: URL of the absolute path.
std::string LinkFileText(const std::string& absolutePath, const std::string& name);

// A file: URL for an absolute path, every byte but unreserved characters and "/" percent-encoded.
std::string FileUrl(const std::string& absolutePath);

} // namespace platform
