// The XDG user directories file ($XDG_CONFIG_HOME/user-dirs.dirs).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The value of key (for example "XDG_DESKTOP_DIR") in the file's text: an absolute path, or one
// that starts with $HOME, which becomes home. Nothing when the key is missing or malformed.
std::optional<std::string> ReadUserDir(std::string_view fileText, std::string_view key, const std::string& home);

} // namespace platform
