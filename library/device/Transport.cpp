#include "Transport.h"

#include "CDSMP_Command.h"
#include "library/LibraryLog.h"
#include "platform/core/TextConvert.h"

#include <cstdlib>
#include <cstring>
#include <curl/curl.h>
#include <memory>
#include <mutex>
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

// What the write callback fills: the command, and the decoder that carries a UTF-8 sequence cut
// between two pieces of the body over to the next piece.
struct ReplySink {
    CDSMP_Command* command;
    Utf8StreamDecoder decoder;
};

size_t WriteCallback(char* data, size_t size, size_t count, void* userData)
{
    auto* sink = static_cast<ReplySink*>(userData);
    if (!sink || !sink->command)
        return 0;
    size_t bytes = size * count;
    // Conversion of a piece stops at its first zero byte.
    size_t textBytes = strnlen(data, bytes);
    sink->command->csResponse += CString(sink->decoder.Decode(std::string_view(data, textBytes)));
    return bytes;
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
    InitCurlOnce();
    std::string address = ipAddress.ToUtf8();
    std::string url = "https://" + address + kDevicePath;

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
    ReplySink sink{&command, {}};
    TransportTimeouts timeouts = CurrentTransportTimeouts();
    curl_easy_setopt(handle, CURLOPT_MIMEPOST, form.get());
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, WriteCallback);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, timeouts.connectMilliseconds);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, timeouts.totalMilliseconds);
    // The device sits on the local network: never route its traffic through a proxy.
    curl_easy_setopt(handle, CURLOPT_NOPROXY, "*");
    // Time-outs must not raise signals: the wizard calls from a worker thread.
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);

    CLogStream& log = LibraryLog();
    log.Line(u"Sending to " + CString::FromUtf8(url));

    int result = 1;
    CURLcode code = curl_easy_perform(handle);
    if (code != CURLE_OK) {
        log.Line(u"Test_cURL(): curl_easy_perform() returned " + IntToCString(code)
                 + u", error string= " + CString::FromUtf8(errorBuffer));
        result = 0;
    }
    command.csResponse += CString(sink.decoder.Finish());
    return result;
}
