// A security-support provider for tests, installed as the platform's ISecuritySupport while it
// lives. Its "NTLM" package runs a three-token handshake (NEGOTIATE, CHALLENGE, AUTHENTICATE)
// and accepts the client's identity when its password is the expected one. Every call is
// recorded as an event; statuses, missing functions and a missing library are scripted.
#pragma once

#include "platform/core/LastError.h"
#include "platform/core/Services.h"
#include "platform/core/SystemErrors.h"
#include "platform/security/SecuritySupport.h"

#include <array>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace credentialstest {

namespace sspi = platform::sspi;

class TestSecurityProvider : public platform::ISecuritySupport {
public:
    TestSecurityProvider() : m_use(*this) { s_current = this; }
    ~TestSecurityProvider() override { s_current = nullptr; }

    // The client's credentials as the provider received them.
    struct Identity {
        std::u16string user, domain, password;
        bool lengthsMatch = false;
        std::uint32_t flags = 0;
    };

    // Script.
    bool libraryPresent = true;
    std::set<std::string> missingFunctions;
    sspi::SecurityStatus queryStatus = sspi::kSecEOk;
    std::array<sspi::SecurityStatus, 2> acquireStatus{sspi::kSecEOk, sspi::kSecEOk}; // outbound, inbound
    // Statuses of the client's first, the server's first, the client's second and the server's
    // second step; the server's second refuses a wrong password whatever is set here.
    std::array<sspi::SecurityStatus, 4> stepStatus{sspi::kSecIContinueNeeded, sspi::kSecIContinueNeeded,
                                                  sspi::kSecEOk, sspi::kSecEOk};
    sspi::SecurityStatus completeStatus = sspi::kSecEOk;
    std::u16string expectedPassword = u"Right-Pw 1";
    std::uint32_t maxToken = 64;

    // Record.
    std::vector<std::string> events;
    std::vector<std::string> loadedNames;
    Identity identity;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> requestAndDataRep; // per step
    bool firstOutputZeroed = false;
    int unloads = 0;

    std::unique_ptr<platform::ILoadedLibrary> LoadLibrary(const CString& name) override
    {
        loadedNames.push_back(name.ToUtf8());
        if (!libraryPresent) {
            platform::SetLastError(platform::kErrorModNotFound);
            return nullptr;
        }
        events.push_back("load " + name.ToUtf8());
        return std::make_unique<Library>(*this);
    }

private:
    class Library : public platform::ILoadedLibrary {
    public:
        explicit Library(TestSecurityProvider& provider) : m_provider(provider) {}
        ~Library() override
        {
            m_provider.events.push_back("unload");
            ++m_provider.unloads;
        }
        platform::LibraryFunction GetProcAddress(const char* name) override
        {
            if (m_provider.missingFunctions.count(name))
                return nullptr;
            struct Export {
                const char* name;
                platform::LibraryFunction function;
            };
            static const Export kExports[] = {
                {"AcceptSecurityContext", reinterpret_cast<platform::LibraryFunction>(&Accept)},
                {"AcquireCredentialsHandleW", reinterpret_cast<platform::LibraryFunction>(&Acquire)},
                {"CompleteAuthToken", reinterpret_cast<platform::LibraryFunction>(&Complete)},
                {"DeleteSecurityContext", reinterpret_cast<platform::LibraryFunction>(&DeleteContext)},
                {"FreeContextBuffer", reinterpret_cast<platform::LibraryFunction>(&FreeBuffer)},
                {"FreeCredentialsHandle", reinterpret_cast<platform::LibraryFunction>(&FreeCredentials)},
                {"InitializeSecurityContextW", reinterpret_cast<platform::LibraryFunction>(&Initialize)},
                {"QuerySecurityPackageInfoW", reinterpret_cast<platform::LibraryFunction>(&Query)},
            };
            for (const Export& e : kExports)
                if (std::strcmp(e.name, name) == 0)
                    return e.function;
            return nullptr;
        }

    private:
        TestSecurityProvider& m_provider;
    };

    static constexpr std::uintptr_t kClientCredential = 1, kServerCredential = 2;
    static constexpr std::uintptr_t kClientContext = 11, kServerContext = 22;

    static std::string Utf8(const char16_t* text)
    {
        return text ? CString(text).ToUtf8() : "<null>";
    }
    static std::string TokenText(const sspi::SecBufferDesc* desc)
    {
        if (!desc || desc->count != 1 || desc->buffers[0].type != sspi::kBufferToken)
            return "<no token>";
        return std::string(static_cast<const char*>(desc->buffers[0].data), desc->buffers[0].size);
    }
    // Writes the step's token into the output buffer, as large as the package's largest token.
    static bool WriteToken(sspi::SecBufferDesc* output, const std::string& token)
    {
        TestSecurityProvider& p = *s_current;
        if (!output || output->count != 1 || output->buffers[0].size != p.maxToken ||
            output->buffers[0].type != sspi::kBufferToken)
            return false;
        std::memcpy(output->buffers[0].data, token.data(), token.size());
        output->buffers[0].size = static_cast<std::uint32_t>(token.size());
        return true;
    }
    static bool AllZero(const sspi::SecBufferDesc* output)
    {
        const auto* bytes = static_cast<const unsigned char*>(output->buffers[0].data);
        for (std::uint32_t i = 0; i < output->buffers[0].size; ++i)
            if (bytes[i] != 0)
                return false;
        return true;
    }

    static sspi::SecurityStatus Query(const char16_t* package, sspi::PackageInfo** info)
    {
        TestSecurityProvider& p = *s_current;
        p.events.push_back("query " + Utf8(package));
        p.m_package.maxToken = p.maxToken;
        p.m_package.name = u"NTLM";
        *info = &p.m_package;
        return p.queryStatus;
    }
    static sspi::SecurityStatus FreeBuffer(void* buffer)
    {
        TestSecurityProvider& p = *s_current;
        p.events.push_back(buffer == &p.m_package ? "free package info" : "free unknown buffer");
        return sspi::kSecEOk;
    }
    static sspi::SecurityStatus Acquire(const char16_t* principal, const char16_t* package, std::uint32_t use,
                                        void* /*logonId*/, void* authData, void* /*getKey*/, void* /*getKeyArgument*/,
                                        sspi::CredHandle* credential, sspi::TimeStamp* /*expiry*/)
    {
        TestSecurityProvider& p = *s_current;
        bool outbound = use == sspi::kCredOutbound;
        p.events.push_back(std::string("acquire ") + (outbound ? "outbound " : use == sspi::kCredInbound ? "inbound " : "? ") +
                           Utf8(package) + (principal ? " principal" : "") + (authData ? " identity" : ""));
        if (outbound && authData) {
            const auto* given = static_cast<const sspi::AuthIdentity*>(authData);
            p.identity.user = given->user;
            p.identity.domain = given->domain;
            p.identity.password = given->password;
            p.identity.lengthsMatch = given->userLength == p.identity.user.size() &&
                                      given->domainLength == p.identity.domain.size() &&
                                      given->passwordLength == p.identity.password.size();
            p.identity.flags = given->flags;
        }
        sspi::SecurityStatus status = p.acquireStatus[outbound ? 0 : 1];
        if (status >= 0)
            credential->lower = outbound ? kClientCredential : kServerCredential;
        return status;
    }
    static sspi::SecurityStatus Initialize(sspi::CredHandle* credential, sspi::CtxtHandle* context,
                                           const char16_t* /*target*/, std::uint32_t request, std::uint32_t /*reserved1*/,
                                           std::uint32_t dataRep, sspi::SecBufferDesc* input, std::uint32_t /*reserved2*/,
                                           sspi::CtxtHandle* newContext, sspi::SecBufferDesc* output,
                                           std::uint32_t* /*attributes*/, sspi::TimeStamp* /*expiry*/)
    {
        TestSecurityProvider& p = *s_current;
        bool first = context == nullptr;
        p.events.push_back("initialize " + std::string(credential->lower == kClientCredential ? "" : "wrong credentials ") +
                           (first ? "first" : TokenText(input)));
        p.requestAndDataRep.emplace_back(request, dataRep);
        if (first)
            p.firstOutputZeroed = AllZero(output);
        sspi::SecurityStatus status = p.stepStatus[first ? 0 : 2];
        if (status < 0 || !WriteToken(output, first ? "NEGOTIATE" : "AUTHENTICATE"))
            return status < 0 ? status : sspi::kSecELogonDenied;
        newContext->lower = kClientContext;
        return status;
    }
    static sspi::SecurityStatus Accept(sspi::CredHandle* credential, sspi::CtxtHandle* context, sspi::SecBufferDesc* input,
                                       std::uint32_t request, std::uint32_t dataRep, sspi::CtxtHandle* newContext,
                                       sspi::SecBufferDesc* output, std::uint32_t* /*attributes*/,
                                       sspi::TimeStamp* /*expiry*/)
    {
        TestSecurityProvider& p = *s_current;
        bool first = context == nullptr;
        p.events.push_back("accept " + std::string(credential->lower == kServerCredential ? "" : "wrong credentials ") +
                           TokenText(input) + (first ? " first" : ""));
        p.requestAndDataRep.emplace_back(request, dataRep);
        sspi::SecurityStatus status = p.stepStatus[first ? 1 : 3];
        if (!first && p.identity.password != p.expectedPassword)
            status = sspi::kSecELogonDenied;
        if (status < 0 || !WriteToken(output, first ? "CHALLENGE" : ""))
            return status < 0 ? status : sspi::kSecELogonDenied;
        newContext->lower = kServerContext;
        return status;
    }
    static sspi::SecurityStatus Complete(sspi::CtxtHandle* context, sspi::SecBufferDesc* token)
    {
        TestSecurityProvider& p = *s_current;
        p.events.push_back("complete " + std::to_string(context->lower) + " " + TokenText(token));
        return p.completeStatus;
    }
    static sspi::SecurityStatus DeleteContext(sspi::CtxtHandle* context)
    {
        s_current->events.push_back("delete context " + std::to_string(context->lower));
        return sspi::kSecEOk;
    }
    static sspi::SecurityStatus FreeCredentials(sspi::CredHandle* credential)
    {
        s_current->events.push_back("free credentials " + std::to_string(credential->lower));
        return sspi::kSecEOk;
    }

    static inline TestSecurityProvider* s_current = nullptr;
    sspi::PackageInfo m_package{};
    platform::ScopedService<platform::ISecuritySupport> m_use;
};

} // namespace credentialstest
