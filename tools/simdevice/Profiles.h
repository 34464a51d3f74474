// What each profile means for the device: its kind, licences and access, and how its web
// server answers. Also the profile names used on the command line.
#pragma once

#include "tools/simdevice/SimulatedDevice.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace simdevice {

inline constexpr const char* kScanToShare = "SCAN_TO_SHARE";
inline constexpr const char* kScanToSimpleFolder = "SCAN_TO_SIMPLE_FOLDER";

// How the web server answers, whatever the request.
enum class ReplyMode { Commands, LogInPage, ServerError, Withheld, Garbled, Endless, CutOff, Refusal, ErrorReply };

ReplyMode ReplyModeOf(Profile profile);

// True for the managed and unmanaged profiles, which describe the device itself.
bool DescribesDevice(Profile profile);

// For a profile that describes the device:
bool GrantsAccess(Profile deviceProfile);
std::vector<std::string> LicensedFeaturesOf(Profile deviceProfile);
std::string DefaultModelName(Profile deviceProfile);

std::string_view ProfileName(Profile profile);
std::optional<Profile> ProfileFromName(std::string_view name);
std::vector<Profile> AllProfiles();

} // namespace simdevice
