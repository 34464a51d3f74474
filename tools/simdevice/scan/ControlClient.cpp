#include "tools/simdevice/scan/ControlClient.h"

#include <cstring>
#include <curl/curl.h>
#include <memory>

namespace simdevice {

namespace {

constexpr long kConnectTimeoutMs = 5000;
// A scan signs in, opens the share and writes: each step may take libsmbclient's time-out.
constexpr long kTotalTimeoutMs = 120000;

struct CurlCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

struct CurlFree {
    void operator()(char* text) const { curl_free(text); }
};

// name=value with the value percent-encoded; empty values are left out.
void AddField(CURL* handle, std::string& body, const char* name, const std::string& value)
{
    if (value.empty())
        return;
    std::unique_ptr<char, CurlFree> escaped(curl_easy_escape(handle, value.data(), static_cast<int>(value.size())));
    if (!escaped)
        return;
    if (!body.empty())
        body += '&';
    body += std::string(name) + "=" + escaped.get();
    explicit_bzero(escaped.get(), std::strlen(escaped.get()));
}

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* body)
{
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

} // namespace

ScanControlFields::~ScanControlFields()
{
    explicit_bzero(password.data(), password.size());
}

ControlReply PostScan(const std::string& host, int port, const ScanControlFields& fields)
{
    ControlReply reply;
    curl_global_init(CURL_GLOBAL_DEFAULT);
    std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
    if (!curl) {
        reply.error = "cannot start the HTTPS client";
        return reply;
    }
    CURL* handle = curl.get();
    std::string body;
    AddField(handle, body, "folder", fields.folder);
    AddField(handle, body, "user", fields.user);
    AddField(handle, body, "domain", fields.domain);
    AddField(handle, body, "password", fields.password);

    const std::string url = "https://" + host + ":" + std::to_string(port) + "/control/scan";
    char errorText[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, body.c_str());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    // The device's certificate is self-signed; the address is a loopback one (SimScanOptions).
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 0L);
    // A proxy from the environment must not carry the request, let alone the password.
    curl_easy_setopt(handle, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, kTotalTimeoutMs);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &reply.body);

    const CURLcode code = curl_easy_perform(handle);
    explicit_bzero(body.data(), body.size());
    if (code != CURLE_OK) {
        reply.error = *errorText ? errorText : curl_easy_strerror(code);
        return reply;
    }
    reply.answered = true;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &reply.httpStatus);
    return reply;
}

} // namespace simdevice
