#include "tools/simdevice/Profiles.h"

#include <array>
#include <utility>

namespace simdevice {

namespace {

constexpr std::array<std::pair<Profile, std::string_view>, 13> kNames{{
    {Profile::ManagedGranted, "managed-granted"},
    {Profile::ManagedRefused, "managed-refused"},
    {Profile::UnmanagedScanToShare, "unmanaged-scan-to-share"},
    {Profile::UnmanagedSimpleFolder, "unmanaged-simple-folder"},
    {Profile::UnmanagedNoFeature, "unmanaged-no-feature"},
    {Profile::PasswordProtected, "password-protected"},
    {Profile::HttpError, "http-error"},
    {Profile::NeverReplies, "never-replies"},
    {Profile::Garbled, "garbled"},
    {Profile::Endless, "endless"},
    {Profile::CutOff, "cut-off"},
    {Profile::Refusing, "refusing"},
    {Profile::ErrorReplying, "error-replying"},
}};

bool IsManaged(Profile deviceProfile)
{
    return deviceProfile == Profile::ManagedGranted || deviceProfile == Profile::ManagedRefused;
}

} // namespace

ReplyMode ReplyModeOf(Profile profile)
{
    switch (profile) {
    case Profile::PasswordProtected: return ReplyMode::LogInPage;
    case Profile::HttpError: return ReplyMode::ServerError;
    case Profile::NeverReplies: return ReplyMode::Withheld;
    case Profile::Garbled: return ReplyMode::Garbled;
    case Profile::Endless: return ReplyMode::Endless;
    case Profile::CutOff: return ReplyMode::CutOff;
    case Profile::Refusing: return ReplyMode::Refusal;
    case Profile::ErrorReplying: return ReplyMode::ErrorReply;
    default: return ReplyMode::Commands;
    }
}

bool DescribesDevice(Profile profile)
{
    return ReplyModeOf(profile) == ReplyMode::Commands;
}

bool GrantsAccess(Profile deviceProfile)
{
    // Unmanaged devices have no management lock on the protocol.
    return deviceProfile != Profile::ManagedRefused;
}

std::vector<std::string> LicensedFeaturesOf(Profile deviceProfile)
{
    switch (deviceProfile) {
    case Profile::UnmanagedScanToShare: return {kScanToShare};
    case Profile::UnmanagedSimpleFolder: return {kScanToSimpleFolder};
    case Profile::UnmanagedNoFeature: return {};
    default: return {kScanToShare, kScanToSimpleFolder};
    }
}

std::string DefaultModelName(Profile deviceProfile)
{
    return IsManaged(deviceProfile) ? "Norvik Kelvane KV4250 MFP" : "Norvik Kelvane KL3100 MFP";
}

std::string_view ProfileName(Profile profile)
{
    for (const auto& [each, name] : kNames)
        if (each == profile)
            return name;
    return {};
}

std::optional<Profile> ProfileFromName(std::string_view name)
{
    for (const auto& [profile, each] : kNames)
        if (each == name)
            return profile;
    return std::nullopt;
}

std::vector<Profile> AllProfiles()
{
    std::vector<Profile> profiles;
    for (const auto& entry : kNames)
        profiles.push_back(entry.first);
    return profiles;
}

} // namespace simdevice
