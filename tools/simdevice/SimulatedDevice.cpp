#include "tools/simdevice/SimulatedDevice.h"

#include "tools/simdevice/ControlEndpoint.h"
#include "tools/simdevice/DeviceResponder.h"
#include "tools/simdevice/DeviceState.h"
#include "tools/simdevice/HttpsServer.h"
#include "tools/simdevice/LoopbackAddress.h"
#include "tools/simdevice/scan/ScanDelivery.h"

#include <cstdint>

namespace simdevice {

SimulatedDevice::SimulatedDevice(Profile profile)
    : state_(std::make_unique<DeviceState>(profile))
{
}

SimulatedDevice::~SimulatedDevice()
{
    Stop();
}

bool SimulatedDevice::Start(const std::string& host, int port)
{
    if (server_ || !IsLoopbackAddress(host) || port < 0 || port > 65535)
        return false;
    DeviceState* state = state_.get();
    auto server = std::make_unique<HttpsServer>([this, state](const ReceivedRequest& request) {
        if (IsControlRequest(request))
            return AnswerControlRequest(request, [this](const ScanRequest& scan) { return Scan(scan); });
        state->Record(request);
        return Respond(request, *state);
    });
    if (!server->Start(host, port))
        return false;
    server_ = std::move(server);
    host_ = host;
    return true;
}

void SimulatedDevice::Stop()
{
    server_.reset();
    host_.clear();
}

std::string SimulatedDevice::Address() const
{
    if (!server_)
        return {};
    // The library puts the address straight into "https://" + address + path.
    return server_->Port() == 443 ? host_ : host_ + ":" + std::to_string(server_->Port());
}

int SimulatedDevice::Port() const
{
    return server_ ? server_->Port() : 0;
}

void SimulatedDevice::SetProfile(Profile profile)
{
    state_->SetProfile(profile);
}

void SimulatedDevice::SetProfileFor(std::string commandId, Profile profile)
{
    state_->SetProfileFor(std::move(commandId), profile);
}

void SimulatedDevice::SetRawControlCharacters(bool raw)
{
    state_->SetRawControlCharacters(raw);
}

void SimulatedDevice::SetModelName(std::string modelName)
{
    state_->SetModelName(std::move(modelName));
}

std::string SimulatedDevice::ModelName() const
{
    return state_->ModelName();
}

void SimulatedDevice::AddFolder(Folder folder)
{
    state_->AddFolder(std::move(folder));
}

std::vector<Folder> SimulatedDevice::Folders() const
{
    return state_->Folders(SIZE_MAX);
}

void SimulatedDevice::ClearFolders()
{
    state_->ClearFolders();
}

std::vector<std::string> SimulatedDevice::EnabledFeatures() const
{
    return state_->EnabledFeatures();
}

void SimulatedDevice::SetFolderPathValidator(std::function<bool(const Folder&)> validator)
{
    state_->SetFolderPathValidator(std::move(validator));
}

std::vector<ReceivedRequest> SimulatedDevice::Requests() const
{
    return state_->Requests();
}

void SimulatedDevice::ClearRequests()
{
    state_->ClearRequests();
}

ScanResult SimulatedDevice::Scan(const ScanRequest& request)
{
    const std::optional<Folder> entry = state_->FindFolder(request.folder);
    if (!entry) {
        ScanResult result;
        result.status = kNoSuchFolderEntry;
        return result;
    }
    // Runs without the state's lock: the web server goes on answering while the file is written.
    return DeliverScan(*entry, request, state_->Names(), state_->SmbPort(), ScanCaption(entry->name));
}

void SimulatedDevice::SetNameTable(std::map<std::string, std::string> hostAddresses)
{
    state_->SetNameTable(NameTable(hostAddresses));
}

void SimulatedDevice::SetSmbPort(int port)
{
    state_->SetSmbPort(port);
}

} // namespace simdevice
