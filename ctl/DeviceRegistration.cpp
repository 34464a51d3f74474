#include "ctl/DeviceRegistration.h"

#include "library/Quillet_Library.h"

bool RegisterFolder(const CString& deviceIp, const CString& host, const CString& share, const ScanOptions& options,
                    const StoredAccount* account)
{
    const auto format = static_cast<Brede_FileFormat>(options.fileFormat);
    const auto resolution = static_cast<Brede_ImageResolution>(options.resolution);
    const auto color = static_cast<Brede_ColorSetting>(options.colorSetting);
    const auto size = static_cast<Brede_FileSize>(options.fileSize);
    Brede_ErrorCode result =
        account ? ConfigureDevice(account->userName, account->password, account->domain, deviceIp, host, share, format,
                                  resolution, color, size)
                : ConfigureDevice(deviceIp, host, share, format, resolution, color, size);
    return result == BREDE_NO_ERROR;
}
