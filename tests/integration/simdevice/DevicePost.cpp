#include "integration/simdevice/DevicePost.h"

namespace {

size_t Append(char* data, size_t size, size_t count, void* body)
{
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

void AddPart(curl_mime* form, const char* name, const std::string& content, const char* type)
{
    curl_mimepart* part = curl_mime_addpart(form);
    curl_mime_name(part, name);
    curl_mime_data(part, content.data(), content.size());
    if (type)
        curl_mime_type(part, type);
}

} // namespace

PostResult PostXml(const std::string& address, const std::string& xml, long timeoutMs, const std::string& path)
{
    PostResult result;
    CURL* curl = curl_easy_init();
    curl_mime* form = curl_mime_init(curl);
    AddPart(form, "ip_address", address, nullptr);
    AddPart(form, "port", "", nullptr);
    AddPart(form, "xml_request", xml, "text/plain");
    const std::string url = "https://" + address + path;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_MIMEPOST, form);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Append);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &result.body);
    result.code = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    curl_mime_free(form);
    curl_easy_cleanup(curl);
    return result;
}

std::string Between(const std::string& text, const std::string& open, const std::string& close)
{
    const auto begin = text.find(open);
    if (begin == std::string::npos)
        return {};
    const auto from = begin + open.size();
    const auto end = text.find(close, from);
    return end == std::string::npos ? std::string() : text.substr(from, end - from);
}
