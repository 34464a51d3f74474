// A short walk through the library against a device: capability check, registration of two
// folders, the device's folder list, and removal. Usage: quillet-demo DEVICE-ADDRESS [MODEL]
#include "library/Quillet_Library.h"
#include "common/log/LogStream.h"
#include "platform/core/Paths.h"

#include <cstdio>
#include <string>

namespace {

const char* FeatureName(Brede_SupportedFeatures value)
{
    switch (value) {
    case DEVICE_NOT_SUPPORTED: return "DEVICE_NOT_SUPPORTED";
    case DEVICE_SUPPORTED: return "DEVICE_SUPPORTED";
    case UNMANAGED_SCAN_TO_DESKTOP: return "UNMANAGED_SCAN_TO_DESKTOP";
    case MANAGED_SCAN_TO_NETWORK: return "MANAGED_SCAN_TO_NETWORK";
    case UNMANAGED_NO_FW_SUPPORT: return "UNMANAGED_NO_FW_SUPPORT";
    case MANAGED_BLOCKED_BY_EWS: return "MANAGED_BLOCKED_BY_EWS";
    case EWS_PASSWORD_PROTECTED: return "EWS_PASSWORD_PROTECTED";
    }
    return "?";
}

const char* Result(Brede_ErrorCode code)
{
    return code == BREDE_NO_ERROR ? "done" : "FAILED (see the log)";
}

void PrintFolders(const CString& address)
{
    CString names;
    GetFolderNamesOnDevice(address, names);
    std::printf("Folders on the device: %s\n", names.IsEmpty() ? "(none)" : names.ToUtf8().c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DEVICE-ADDRESS [MODEL-NAME]\n", argv[0]);
        return 2;
    }
    CString address = CString::FromUtf8(argv[1]);
    CString model = CString::FromUtf8(argc > 2 ? argv[2] : "Norvik Kelvane KV4250 MFP");

    Brede_SupportedFeatures features = GetSupportedFeatures(model, address, 1);
    std::printf("Device %s (%s): %s\n", argv[1], model.ToUtf8().c_str(), FeatureName(features));
    if (features != MANAGED_SCAN_TO_NETWORK && features != UNMANAGED_SCAN_TO_DESKTOP) {
        std::printf("The device cannot take a scan folder.\n");
        return 1;
    }
    PrintFolders(address);

    std::printf("Registering \\\\DEMOPC\\Invoices with a stored account... %s\n",
                Result(ConfigureDevice(u"scanner", u"demo-password", u"WORKGROUP", address, u"DEMOPC",
                                       u"Invoices", BREDE_FORMAT_PDF, BREDE_RESOLUTION_300, BREDE_COLOR_COLOR,
                                       BREDE_FILESIZE_STANDARD)));
    std::printf("Registering \\\\DEMOPC\\Photos, credentials asked at the device... %s\n",
                Result(ConfigureDevice(address, u"DEMOPC", u"Photos", BREDE_FORMAT_JPEG, BREDE_RESOLUTION_600,
                                       BREDE_COLOR_COLOR, BREDE_FILESIZE_LARGE)));
    PrintFolders(address);

    CStringList remove;
    remove.AddTail(u"Invoices");
    remove.AddTail(u"Photos");
    std::printf("Removing Invoices and Photos... %s\n", Result(DeleteFolderList(address, remove)));
    PrintFolders(address);

    std::printf("Diagnostic log: %s\n", platform::ToPosixPath(kLogFilePath)->c_str());
    return 0;
}
