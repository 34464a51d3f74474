#include "tools/simdevice/DeviceState.h"

#include "tools/simdevice/FolderPathCheck.h"
#include "tools/simdevice/Profiles.h"

namespace simdevice {

DeviceState::DeviceState(Profile profile)
    : profile_(profile)
    , deviceProfile_(DescribesDevice(profile) ? profile : Profile::ManagedGranted)
{
}

void DeviceState::SetProfile(Profile profile)
{
    std::lock_guard lock(mutex_);
    profile_ = profile;
    if (DescribesDevice(profile))
        deviceProfile_ = profile;
}

Profile DeviceState::CurrentProfile() const
{
    std::lock_guard lock(mutex_);
    return profile_;
}

void DeviceState::SetProfileFor(std::string commandId, Profile profile)
{
    std::lock_guard lock(mutex_);
    if (DescribesDevice(profile))
        commandProfiles_.erase(commandId);
    else
        commandProfiles_[std::move(commandId)] = profile;
}

Profile DeviceState::ProfileFor(const std::string& commandId) const
{
    std::lock_guard lock(mutex_);
    const auto found = commandProfiles_.find(commandId);
    return found == commandProfiles_.end() ? profile_ : found->second;
}

void DeviceState::SetRawControlCharacters(bool raw)
{
    std::lock_guard lock(mutex_);
    rawControlCharacters_ = raw;
}

bool DeviceState::RawControlCharacters() const
{
    std::lock_guard lock(mutex_);
    return rawControlCharacters_;
}

void DeviceState::SetModelName(std::string modelName)
{
    std::lock_guard lock(mutex_);
    modelName_ = std::move(modelName);
}

std::string DeviceState::ModelName() const
{
    std::lock_guard lock(mutex_);
    return modelName_ ? *modelName_ : DefaultModelName(deviceProfile_);
}

bool DeviceState::AccessGranted() const
{
    std::lock_guard lock(mutex_);
    return GrantsAccess(deviceProfile_);
}

std::vector<std::string> DeviceState::LicensedFeatures() const
{
    std::lock_guard lock(mutex_);
    return LicensedFeaturesOf(deviceProfile_);
}

std::vector<std::string> DeviceState::EnabledFeatures() const
{
    std::lock_guard lock(mutex_);
    return enabledFeatures_;
}

void DeviceState::SetEnabledFeatures(std::vector<std::string> features)
{
    std::lock_guard lock(mutex_);
    enabledFeatures_ = std::move(features);
}

void DeviceState::AddFolder(Folder folder)
{
    std::lock_guard lock(mutex_);
    folders_.Add(std::move(folder));
}

std::size_t DeviceState::DeleteFolders(const std::vector<std::string>& names)
{
    std::lock_guard lock(mutex_);
    return folders_.Delete(names);
}

std::size_t DeviceState::FolderCount() const
{
    std::lock_guard lock(mutex_);
    return folders_.Count();
}

std::vector<Folder> DeviceState::Folders(std::size_t count) const
{
    std::lock_guard lock(mutex_);
    return folders_.First(count);
}

std::optional<Folder> DeviceState::FindFolder(const std::string& name) const
{
    std::lock_guard lock(mutex_);
    return folders_.Find(name);
}

void DeviceState::ClearFolders()
{
    std::lock_guard lock(mutex_);
    folders_.Clear();
}

void DeviceState::SetFolderPathValidator(std::function<bool(const Folder&)> validator)
{
    std::lock_guard lock(mutex_);
    validator_ = std::move(validator);
}

std::string DeviceState::FolderPathStatus(const Folder& folder) const
{
    std::function<bool(const Folder&)> validator;
    NameTable names;
    int smbPort = 0;
    {
        std::lock_guard lock(mutex_);
        validator = validator_;
        names = names_;
        smbPort = smbPort_;
    }
    // Run without the lock: a test's validator may well ask the device about itself, and the
    // device goes on answering while the check signs in.
    if (validator)
        return validator(folder) ? "" : kRefusedByValidator;
    return CheckFolderPath(folder, names, smbPort);
}

void DeviceState::SetNameTable(NameTable names)
{
    std::lock_guard lock(mutex_);
    names_ = std::move(names);
}

NameTable DeviceState::Names() const
{
    std::lock_guard lock(mutex_);
    return names_;
}

void DeviceState::SetSmbPort(int port)
{
    std::lock_guard lock(mutex_);
    smbPort_ = port;
}

int DeviceState::SmbPort() const
{
    std::lock_guard lock(mutex_);
    return smbPort_;
}

void DeviceState::Record(ReceivedRequest request)
{
    std::lock_guard lock(mutex_);
    requests_.push_back(std::move(request));
}

std::vector<ReceivedRequest> DeviceState::Requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

void DeviceState::ClearRequests()
{
    std::lock_guard lock(mutex_);
    requests_.clear();
}

} // namespace simdevice
