#include "tools/simdevice/FolderRecordXml.h"

#include <algorithm>

namespace simdevice {

Folder FolderFromRecord(const pugi::xml_node& record)
{
    const auto text = [&record](const char* name) { return std::string(record.attribute(name).value()); };
    Folder folder;
    folder.name = text("FolderName");
    folder.path = text("FolderPath");
    folder.userName = text("UserName");
    folder.password = text("Password");
    folder.domain = text("NtDomain");
    folder.authType = text("FolderAuthType");
    folder.fileFormat = text("FileFormat");
    folder.resolution = text("Resolution");
    folder.color = text("ColorPreference");
    folder.fileSize = text("FilesizeAdjustment");
    return folder;
}

void WriteFolderRecord(pugi::xml_node record, const Folder& folder)
{
    const auto write = [&record, &folder](const char* name, const std::string& value) {
        if (std::find(folder.unlisted.begin(), folder.unlisted.end(), name) == folder.unlisted.end())
            record.append_attribute(name) = value.c_str();
    };
    write("FolderName", folder.name);
    write("FolderPath", folder.path);
    write("UserName", folder.userName);
    if (!folder.password.empty())
        write("Password", folder.password);
    write("NtDomain", folder.domain);
    write("FolderAuthType", folder.authType);
    write("FileFormat", folder.fileFormat);
    write("Resolution", folder.resolution);
    write("ColorPreference", folder.color);
    write("FilesizeAdjustment", folder.fileSize);
}

} // namespace simdevice
