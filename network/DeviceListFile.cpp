#include "network/DeviceListFile.h"

#include "common/data/DataFile.h"

#include "common/localization/NetworkMessageBox.h"
#include "common/log/ProgramLog.h"
#include "network/DeviceQueries.h"
#include "common/text/JavaScriptString.h"
#include "common/text/UnicodeTextFile.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"

#include <unistd.h>
#include <vector>

namespace {

constexpr unsigned kNoModulePath = 144;

CString Entry(const char16_t* array, int k, const CString& text)
{
    return CString(array) + u"[" + IntToCString(k) + u"]=\"" + EscapeJavaScriptString(text) + u"\";\n";
}

} // namespace

CString DeviceListFilePath(const CString& runFolder)
{
    return runFolder + u"/js/" + kDeviceListFileName;
}

void SaveDiscoveredDevices(DiscoveryRecord& record, NetworkState& state)
{
    const int count = GetDiscoveredDeviceCount(record.label);

    CString moduleFolder = platform::Use<platform::ISystemInfo>().GetModuleFolder();
    if (moduleFolder.IsEmpty())
        ShowMessageBox(kNoModulePath);
    // The list lives in this run's folder, never beside the programs.
    const CString runFolder = platform::Use<platform::ISystemInfo>().GetRunFolder();
    CUnicodeTextFile file;
    if (runFolder.IsEmpty() || !file.Open(DeviceListFilePath(runFolder))) {
        ProgramLog().Line(u"SaveDiscoveredDevices() couldn't open NtwkDevList.js for appending.");
        _exit(kDataFileNotWritten);
    }

    std::vector<int> listed;
    for (int index = 0; index < count; ++index)
        if (IsScanToFolderDevice(index, state) == 1)
            listed.push_back(index);

    record.listedCount = static_cast<int>(listed.size());
    file.Write(u"\nvar deviceCount=" + IntToCString(record.listedCount) + u";\n");
    if (record.listedCount != 0) {
        file.Write(u"\nvar ModelName = new Array(deviceCount);\n");
        file.Write(u"\nvar IPAddress = new Array(deviceCount);\n");
        file.Write(u"\nvar MACAddress = new Array(deviceCount);\n");
        file.Write(u"\nvar HostName = new Array(deviceCount);\n");
    }
    for (int k = 0; k < record.listedCount; ++k) {
        CString ipAddress, hostName, macAddress, modelName;
        int index = listed[static_cast<std::size_t>(k)];
        GetDeviceIPAddress(index, ipAddress);
        GetDeviceHostName(index, hostName);
        GetDeviceMACAddress(index, macAddress);
        GetDeviceModelName(index, modelName);
        file.Write(u"\n" + Entry(u"ModelName", k, modelName));
        file.Write(Entry(u"IPAddress", k, ipAddress));
        file.Write(Entry(u"MACAddress", k, macAddress));
        file.Write(Entry(u"HostName", k, hostName));
    }
    file.Close();
}
