#include "tools/simdevice/scan/ScanDelivery.h"

#include "tools/simdevice/scan/FolderTarget.h"
#include "tools/simdevice/scan/ScanDocument.h"
#include "tools/simdevice/scan/SmbFolderClient.h"

#include <array>
#include <chrono>
#include <ctime>
#include <optional>
#include <string_view>

namespace simdevice {

namespace {

enum class AccountSource { Stored, SignedIn };

struct AuthTypeRow {
    std::string_view authType;  // as the folder record spells it
    AccountSource source;
};

constexpr std::array<AuthTypeRow, 3> kAuthTypes{{
    {"", AccountSource::Stored},  // records made before the field existed
    {"DEFAULT_USER_CREDENTIALS", AccountSource::Stored},
    {"MFP_USER_CREDENTIALS", AccountSource::SignedIn},
}};

std::optional<AccountSource> AccountSourceOf(const std::string& authType)
{
    for (const AuthTypeRow& row : kAuthTypes)
        if (row.authType == authType)
            return row.source;
    return std::nullopt;
}

ScanResult Failure(const Folder& entry, std::string status)
{
    ScanResult result;
    result.networkPath = entry.path;
    result.status = std::move(status);
    return result;
}

} // namespace

ScanResult DeliverScan(const Folder& entry, const ScanRequest& request, const NameTable& names, int smbPort,
                       const std::string& caption)
{
    const std::optional<ScanFormat> format = ScanFormatOf(entry.fileFormat);
    if (!format)
        return Failure(entry, kUnsupportedFileFormat);
    const std::optional<AccountSource> source = AccountSourceOf(entry.authType);
    if (!source)
        return Failure(entry, kUnsupportedAuthType);
    if (*source == AccountSource::SignedIn && request.userName.empty())
        return Failure(entry, kSignInRequired);
    SmbTarget target;
    if (std::string status = FindFolderTarget(entry.path, names, smbPort, target); !status.empty())
        return Failure(entry, std::move(status));

    const SmbAccount account = *source == AccountSource::Stored
        ? SmbAccount(entry.userName, entry.password, entry.domain)
        : SmbAccount(request.userName, request.password, request.domain);
    const std::string document = MakeScanDocument(*format, caption);
    if (document.empty())
        return Failure(entry, kDocumentNotMade);
    const SmbWriteResult written = WriteNewFile(target, account, kScanFilePrefix, ExtensionOf(*format), document);
    if (!written.written)
        return Failure(entry, written.status);
    ScanResult result;
    result.ok = true;
    result.fileName = written.fileName;
    result.networkPath = entry.path;
    return result;
}

std::string ScanCaption(const std::string& entryName)
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S UTC", &utc);
    return "Scanned to " + entryName + " at " + stamp;
}

} // namespace simdevice
