// The device's self-signed TLS certificate.
#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

namespace simdevice {

struct Certificate {
    X509* cert = nullptr;
    EVP_PKEY* key = nullptr;
};

// Made on first use (an EC P-256 key, quick to generate) and shared by every device of the
// process for its whole life. Both members are null when OpenSSL could not make it.
const Certificate& SharedCertificate();

} // namespace simdevice
