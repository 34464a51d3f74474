// The system's security-support interface: security libraries loaded by name, whose functions
// are found by name and called with the records below (the layouts of the Windows interface,
// with 16-bit text as char16_t).
//
// Linux has no such library: the default service loads none. A test installs a provider of its
// own through the service registry (Services.h).
#pragma once

#include "platform/core/CString.h"

#include <cstdint>
#include <memory>

namespace platform::sspi {

// A status: 0 or positive, the call succeeded; negative, it failed.
using SecurityStatus = std::int32_t;
inline constexpr SecurityStatus kSecEOk = 0;
inline constexpr SecurityStatus kSecIContinueNeeded = 0x00090312;      // 590610: another step follows
inline constexpr SecurityStatus kSecICompleteNeeded = 0x00090313;      // 590611: complete the token
inline constexpr SecurityStatus kSecICompleteAndContinue = 0x00090314; // 590612: both
inline constexpr SecurityStatus kSecELogonDenied = static_cast<SecurityStatus>(0x8009030CU);
inline constexpr SecurityStatus kSecESecpkgNotFound = static_cast<SecurityStatus>(0x80090305U);

// Use of credentials (AcquireCredentialsHandle).
inline constexpr std::uint32_t kCredInbound = 1;
inline constexpr std::uint32_t kCredOutbound = 2;
// Data representation of tokens.
inline constexpr std::uint32_t kNativeDataRep = 16;
// Flag of an identity whose texts are 16-bit.
inline constexpr std::uint32_t kIdentityUnicode = 2;
// Buffer records.
inline constexpr std::uint32_t kBufferVersion = 0;
inline constexpr std::uint32_t kBufferToken = 2;

struct SecHandle {
    std::uintptr_t lower = 0;
    std::uintptr_t upper = 0;
};
using CredHandle = SecHandle;
using CtxtHandle = SecHandle;
using TimeStamp = std::int64_t;

struct SecBuffer {
    std::uint32_t size;
    std::uint32_t type;
    void* data;
};

struct SecBufferDesc {
    std::uint32_t version;
    std::uint32_t count;
    SecBuffer* buffers;
};

// The identity of a client's outbound credentials; lengths in characters, without terminator.
struct AuthIdentity {
    const char16_t* user;
    std::uint32_t userLength;
    const char16_t* domain;
    std::uint32_t domainLength;
    const char16_t* password;
    std::uint32_t passwordLength;
    std::uint32_t flags;
};

struct PackageInfo {
    std::uint32_t capabilities;
    std::uint16_t version;
    std::uint16_t rpcId;
    std::uint32_t maxToken; // the largest token the package makes, in bytes
    const char16_t* name;
    const char16_t* comment;
};

// The functions, by the names a library exports them under.
using AcceptSecurityContextFn = SecurityStatus (*)(CredHandle* credential, CtxtHandle* context, SecBufferDesc* input,
                                                   std::uint32_t contextRequest, std::uint32_t dataRep,
                                                   CtxtHandle* newContext, SecBufferDesc* output,
                                                   std::uint32_t* contextAttributes, TimeStamp* expiry);
using AcquireCredentialsHandleWFn = SecurityStatus (*)(const char16_t* principal, const char16_t* package,
                                                       std::uint32_t credentialUse, void* logonId, void* authData,
                                                       void* getKeyFunction, void* getKeyArgument,
                                                       CredHandle* credential, TimeStamp* expiry);
using CompleteAuthTokenFn = SecurityStatus (*)(CtxtHandle* context, SecBufferDesc* token);
using DeleteSecurityContextFn = SecurityStatus (*)(CtxtHandle* context);
using FreeContextBufferFn = SecurityStatus (*)(void* buffer);
using FreeCredentialsHandleFn = SecurityStatus (*)(CredHandle* credential);
using InitializeSecurityContextWFn = SecurityStatus (*)(CredHandle* credential, CtxtHandle* context,
                                                        const char16_t* targetName, std::uint32_t contextRequest,
                                                        std::uint32_t reserved1, std::uint32_t dataRep,
                                                        SecBufferDesc* input, std::uint32_t reserved2,
                                                        CtxtHandle* newContext, SecBufferDesc* output,
                                                        std::uint32_t* contextAttributes, TimeStamp* expiry);
using QuerySecurityPackageInfoWFn = SecurityStatus (*)(const char16_t* package, PackageInfo** info);

} // namespace platform::sspi

namespace platform {

// A function of a loaded library, to be cast to its type.
using LibraryFunction = void (*)();

// A loaded library; destroying it unloads it.
class ILoadedLibrary {
public:
    virtual ~ILoadedLibrary() = default;
    // The function exported under name, or null when the library has none.
    virtual LibraryFunction GetProcAddress(const char* name) = 0;
};

class ISecuritySupport {
public:
    virtual ~ISecuritySupport() = default;
    // The security library of this name ("secur32.dll"), or null with the thread's last error
    // (LastError.h) set to 126 (kErrorModNotFound) when there is none.
    virtual std::unique_ptr<ILoadedLibrary> LoadLibrary(const CString& name) = 0;

    static constexpr const char* kServiceName = "SecuritySupport";
    static ISecuritySupport& Default();
};

} // namespace platform
