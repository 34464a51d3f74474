#include "tools/simdevice/Certificate.h"

#include <openssl/x509v3.h>

#include <memory>

namespace simdevice {

namespace {

struct KeyFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct CertFree {
    void operator()(X509* cert) const { X509_free(cert); }
};

struct OwnedCertificate {
    std::unique_ptr<X509, CertFree> cert;
    std::unique_ptr<EVP_PKEY, KeyFree> key;
    Certificate view;
};

constexpr long kOneYear = 365L * 24 * 60 * 60;

OwnedCertificate MakeCertificate()
{
    OwnedCertificate made;
    std::unique_ptr<EVP_PKEY, KeyFree> key(EVP_EC_gen("P-256"));
    std::unique_ptr<X509, CertFree> cert(X509_new());
    if (!key || !cert)
        return made;

    X509_NAME* name = X509_get_subject_name(cert.get());
    const auto* commonName = reinterpret_cast<const unsigned char*>("Norvik Kelvane");
    const bool built = X509_set_version(cert.get(), 2) == 1
        && ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), 1) == 1
        && X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600) != nullptr
        && X509_gmtime_adj(X509_getm_notAfter(cert.get()), kOneYear) != nullptr
        && X509_set_pubkey(cert.get(), key.get()) == 1
        && X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, commonName, -1, -1, 0) == 1
        && X509_set_issuer_name(cert.get(), name) == 1
        && X509_sign(cert.get(), key.get(), EVP_sha256()) > 0;
    if (!built)
        return made;

    made.cert = std::move(cert);
    made.key = std::move(key);
    made.view = {made.cert.get(), made.key.get()};
    return made;
}

} // namespace

const Certificate& SharedCertificate()
{
    static const OwnedCertificate certificate = MakeCertificate();
    return certificate.view;
}

} // namespace simdevice
