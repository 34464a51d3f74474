#include "tools/simdevice/CommandHandlers.h"

#include "tools/simdevice/FolderRecordXml.h"

#include <charconv>
#include <cstring>
#include <string>
#include <vector>

namespace simdevice {

namespace {

pugi::xml_node RecordTypes(const pugi::xml_node& command)
{
    return command.child("Request").child("StdDbRecTypes");
}

} // namespace

void HandleAddFolder(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply)
{
    const pugi::xml_node types = RecordTypes(command);
    if (!types.child("DbFolderRec")) {
        reply.SetReturnCode(kInvalidRequest);
        return;
    }
    for (const pugi::xml_node record : types.children("DbFolderRec"))
        state.AddFolder(FolderFromRecord(record));
}

void HandleDeleteFolders(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply)
{
    std::vector<std::string> names;
    for (const pugi::xml_node record : RecordTypes(command).children("DbFolderRec"))
        names.emplace_back(record.attribute("FolderName").value());
    reply.Reply().append_attribute("DeletedRecords") = static_cast<unsigned long long>(state.DeleteFolders(names));
}

void HandleCountFolders(const pugi::xml_node&, DeviceState& state, ReplyDocument& reply)
{
    reply.Reply().append_attribute("DbNumRecs") = static_cast<unsigned long long>(state.FolderCount());
}

void HandleListFolders(const pugi::xml_node& command, DeviceState& state, ReplyDocument& reply)
{
    const char* count = command.child("Request").attribute("DbNumRecs").value();
    const char* end = count + std::strlen(count);
    std::size_t requested = 0;
    const auto [last, error] = std::from_chars(count, end, requested);
    if (error != std::errc() || last != end || last == count) {
        reply.SetReturnCode(kInvalidRequest);
        return;
    }
    // The count comes first: nothing before the records may hold the keys of a record.
    const std::vector<Folder> folders = state.Folders(requested);
    reply.Reply().append_attribute("DbNumRecs") = static_cast<unsigned long long>(folders.size());
    pugi::xml_node types = reply.Reply().append_child("StdDbRecTypes");
    for (const Folder& folder : folders)
        WriteFolderRecord(types.append_child("DbFolderRec"), folder);
}

} // namespace simdevice
