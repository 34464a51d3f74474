// A small HTTPS client for the simulated device's tests: posts the form the library posts.
#pragma once

#include <curl/curl.h>

#include <string>

struct PostResult {
    CURLcode code = CURLE_OK;
    long status = 0;
    std::string body;
};

inline constexpr const char* kCommandPath = "/norvik/device/this.wjadsdsmp";

PostResult PostXml(const std::string& address, const std::string& xml, long timeoutMs = 5000,
                   const std::string& path = kCommandPath);

// The text between the first open marker and the next close marker; empty when either is missing.
std::string Between(const std::string& text, const std::string& open, const std::string& close);
