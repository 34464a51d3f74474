#include "Transport.h"

#include "CDSMP_Command.h"
#include "DeviceAddress.h"
#include "ReplySink.h"
#include "common/log/LogEscape.h"
#include "library/LibraryLog.h"

#include <cstdlib>
#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace {

constexpr long kDefaultConnectTimeoutMs = 20'000;
constexpr long kDefaultTotalTimeoutMs = 120'000;

long MillisecondsFromEnvironment(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    if (!text || !*text)
        return fallback;
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    return (*end == '\0' && value > 0) ? value : fallback;
}

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct MimeCleanup {
    void operator()(curl_mime* mime) const { curl_mime_free(mime); }
};

// Connections and TLS sessions kept from one exchange with a device to the next: a set-up asks
// the same device five or six times, and each new TLS handshake costs more than the exchange
// itself. A kept connection that the device has closed meanwhile is replaced by libcurl. Shared by
// the whole process, whose threads take turns through the locks.
class KeptConnections {
public:
    static CURLSH* Share()
    {
        static KeptConnections kept;
        return kept.m_share;
    }

private:
    KeptConnections() : m_share(curl_share_init())
    {
        if (!m_share)
            return;
        curl_share_setopt(m_share, CURLSHOPT_LOCKFUNC, Lock);
        curl_share_setopt(m_share, CURLSHOPT_UNLOCKFUNC, Unlock);
        curl_share_setopt(m_share, CURLSHOPT_USERDATA, this);
        curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
        curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    }
    static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* self)
    {
        static_cast<KeptConnections*>(self)->MutexOf(data).lock();
    }
    static void Unlock(CURL*, curl_lock_data data, void* self)
    {
        static_cast<KeptConnections*>(self)->MutexOf(data).unlock();
    }
    std::mutex& MutexOf(curl_lock_data data)
    {
        return m_locks[static_cast<std::size_t>(data) % kLocks];
    }

    static constexpr std::size_t kLocks = CURL_LOCK_DATA_LAST;
    std::mutex m_locks[kLocks];
    CURLSH* m_share;
};

void AddPart(curl_mime* form, const char* name, const std::string& content, const char* type)
{
    curl_mimepart* part = curl_mime_addpart(form);
    curl_mime_name(part, name);
    curl_mime_data(part, content.data(), content.size());
    if (type)
        curl_mime_type(part, type);
}

} // namespace

TransportTimeouts CurrentTransportTimeouts()
{
    return {MillisecondsFromEnvironment("TARROW_DEVICE_CONNECT_TIMEOUT_MS", kDefaultConnectTimeoutMs),
            MillisecondsFromEnvironment("TARROW_DEVICE_TIMEOUT_MS", kDefaultTotalTimeoutMs)};
}

int Test_cURL(CDSMP_Command& command, const CString& ipAddress)
{
    CLogStream& log = LibraryLog();
    command.nHttpStatus = 0;
    std::string address = ipAddress.ToUtf8();
    std::optional<std::string> checkedUrl = DeviceUrl(address, kDevicePath);
    if (!checkedUrl) {
        log.Line(u"ERROR- Test_cURL(): invalid device address \"" + EscapeForLog(ipAddress) + u"\"");
        return 0; // nothing was sent
    }
    const std::string& url = *checkedUrl;

    InitCurlOnce();
    // Declared first so that it is freed after the handle that uses it.
    std::unique_ptr<curl_mime, MimeCleanup> form;
    std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
    if (!curl)
        return 0; // nothing was sent

    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_SSLENGINE_DEFAULT, 1L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 0L);

    form.reset(curl_mime_init(handle));
    AddPart(form.get(), "ip_address", address, nullptr);
    AddPart(form.get(), "port", std::string(), nullptr);
    AddPart(form.get(), "xml_request", command.csPayload.ToUtf8(), "text/plain");

    char errorBuffer[CURL_ERROR_SIZE] = {};
    ReplySink sink;
    sink.command = &command;
    TransportTimeouts timeouts = CurrentTransportTimeouts();
    curl_easy_setopt(handle, CURLOPT_MIMEPOST, form.get());
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, TakeReplyPiece);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, timeouts.connectMilliseconds);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, timeouts.totalMilliseconds);
    // The device sits on the local network: never route its traffic through a proxy.
    curl_easy_setopt(handle, CURLOPT_NOPROXY, "*");
    // Time-outs must not raise signals: the wizard calls from a worker thread.
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    if (CURLSH* share = KeptConnections::Share())
        curl_easy_setopt(handle, CURLOPT_SHARE, share);

    log.Line(u"Sending to " + EscapeForLog(CString::FromUtf8(url)));

    int result = 1;
    CURLcode code = curl_easy_perform(handle);
    if (code != CURLE_OK) {
        log.Line(u"Test_cURL(): curl_easy_perform() returned " + IntToCString(code)
                 + u", error string= " + EscapeForLog(CString::FromUtf8(errorBuffer)));
        result = 0;
    }
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    command.nHttpStatus = static_cast<int>(status);
    command.csResponse += CString(sink.decoder.Finish());
    return result;
}
