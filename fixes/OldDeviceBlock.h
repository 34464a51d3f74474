// The lines of smb.conf's [global] that let in an old device (SMB1, NTLMv1), as one marked block
// among the user's own lines: written at the end of [global], found again by its markers, and
// taken out again with every other byte of the file as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace fixes {

inline constexpr const char* kOldDeviceBegin = "# >>> tarrow: settings for an old scanning device";
inline constexpr const char* kOldDeviceEnd = "# <<< tarrow: settings for an old scanning device";

struct TextSpan {
    std::size_t begin = 0;
    std::size_t end = 0; // one past the end marker's line end
};

// The block's text: the markers, the warning and the settings.
std::string OldDeviceBlock(bool smb1, bool ntlmv1);

// Where the block is in the file's text, or nothing.
std::optional<TextSpan> FindOldDeviceBlock(const std::string& text);

// The text with the block in place of an earlier one, or else after the last setting of
// [global]; nothing (error says why) when the text has no [global] section.
std::optional<std::string> WithOldDeviceBlock(const std::string& text, bool smb1, bool ntlmv1, std::string& error);

// The text without the block (unchanged when there is none).
std::string WithoutOldDeviceBlock(const std::string& text);

} // namespace fixes
