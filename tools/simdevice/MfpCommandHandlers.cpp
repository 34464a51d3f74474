#include "tools/simdevice/CommandHandlers.h"

#include "tools/simdevice/FolderPathCheck.h"
#include "tools/simdevice/FolderRecordXml.h"

namespace simdevice {

void HandleIsValidMfp(const pugi::xml_node&, DeviceState& state, ReplyDocument& reply)
{
    reply.Reply().append_attribute("MfpAccessReturnCode") =
        state.AccessGranted() ? "MFP_ACCESS_SUCCESSFUL" : "MFP_ACCESS_DENIED";
}

void HandleGetMfpRecord(const pugi::xml_node&, DeviceState& state, ReplyDocument& reply)
{
    pugi::xml_node record = reply.Reply().append_child("MfpRecord");
    record.append_attribute("ModelName") = state.ModelName().c_str();
    pugi::xml_node licensed = record.append_child("ListOfLicensedFeatures");
    for (const std::string& feature : state.LicensedFeatures())
        licensed.append_child("Feature").append_attribute("Name") = feature.c_str();
    pugi::xml_node enabled = record.append_child("ListOfEnabledFeatures");
    for (const std::string& feature : state.EnabledFeatures())
        enabled.append_child("Feature").append_attribute("Name") = feature.c_str();
}

void HandleIsValidFolderPath(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply)
{
    const pugi::xml_node record = command.child("Request").child("DbFolderRec");
    if (!record) {
        reply.SetReturnCode(kInvalidRequest);
        return;
    }
    // Callers look for the word ValidPath anywhere in the reply; a refusal names its status
    // ("NT_STATUS_LOGON_FAILURE"), which never holds it.
    const std::string status = state.FolderPathStatus(FolderFromRecord(record));
    reply.Reply().append_attribute("FolderPathReturnCode") = status.empty() ? kValidPath : status.c_str();
}

} // namespace simdevice
