// Everything the simulated device remembers, behind one lock: the web server's worker threads
// and the controlling test read and change it at the same time.
#pragma once

#include "tools/simdevice/FolderDatabase.h"
#include "tools/simdevice/SimulatedDevice.h"
#include "tools/simdevice/scan/NameTable.h"

#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace simdevice {

class DeviceState {
public:
    explicit DeviceState(Profile profile);

    void SetProfile(Profile profile);
    Profile CurrentProfile() const;
    void SetProfileFor(std::string commandId, Profile profile);
    // The profile that governs the answer to a request with this CommandID.
    Profile ProfileFor(const std::string& commandId) const;
    void SetRawControlCharacters(bool raw);
    bool RawControlCharacters() const;
    void SetModelName(std::string modelName);
    std::string ModelName() const;
    bool AccessGranted() const;
    std::vector<std::string> LicensedFeatures() const;
    std::vector<std::string> EnabledFeatures() const;
    void SetEnabledFeatures(std::vector<std::string> features);

    void AddFolder(Folder folder);
    std::size_t DeleteFolders(const std::vector<std::string>& names);
    std::size_t FolderCount() const;
    std::vector<Folder> Folders(std::size_t count) const;
    // The first record of that name.
    std::optional<Folder> FindFolder(const std::string& name) const;
    void ClearFolders();

    void SetFolderPathValidator(std::function<bool(const Folder&)> validator);
    // What the folder-path check answers for the record: empty when it is valid, else why not
    // (FolderPathCheck.h).
    std::string FolderPathStatus(const Folder& folder) const;

    void SetNameTable(NameTable names);
    NameTable Names() const;
    void SetSmbPort(int port);
    int SmbPort() const;

    void Record(ReceivedRequest request);
    std::vector<ReceivedRequest> Requests() const;
    void ClearRequests();

private:
    mutable std::mutex mutex_;
    Profile profile_;
    Profile deviceProfile_;  // the last profile that described the device
    std::map<std::string, Profile> commandProfiles_;  // by CommandID; only those that change the answer
    bool rawControlCharacters_ = false;
    std::optional<std::string> modelName_;
    std::vector<std::string> enabledFeatures_;
    FolderDatabase folders_;
    std::function<bool(const Folder&)> validator_;
    std::vector<ReceivedRequest> requests_;
    NameTable names_;
    int smbPort_ = 445;
};

} // namespace simdevice
