#include "network/AddressCheck.h"

#include "common/localization/NetworkMessageBox.h"
#include "common/log/LogEscape.h"
#include "common/log/ProgramLog.h"
#include "network/DiscoveryLibrary.h"
#include "network/VesperText.h"
#include "platform/core/Services.h"
#include "platform/core/Sleep.h"
#include "vesper/vespersdk.h"

#include <memory>
#include <new>

namespace {

// The calls and texts in which the three checks differ.
struct AddressRules {
    int (IDiscoveryLibrary::*isValid)(const char*);
    int (*discover)(const char*);
    const char16_t* validityCall;
    const char16_t* invalidText;
    unsigned invalidMessage;
    const char16_t* notFoundPrefix;
    unsigned notFoundMessage;
    const char16_t* foundText;
    // The IP check logs that the text passed and, on giving up, the address not discovered; the
    // other two also read the found device's IP address.
    bool isIPAddress;
    const char16_t* allocationError;
    bool allocationErrorFails;
};

// The discover calls with the arguments the program always passes.
int DiscoverIP(const char* address) { return Discovery().DiscoverIP(address, 0, 0, 0); }
int DiscoverHostName(const char* name) { return Discovery().DiscoverHostName(name, "", 0, 0); }
int DiscoverMAC(const char* mac) { return Discovery().DiscoverMAC(mac, "", 0, 0); }

const AddressRules kIPAddress{&IDiscoveryLibrary::IsValidIPAddress, DiscoverIP, u"Vesper_isValidIPAddress(",
                             u" is not a Valid IP Address", 134, u"ERROR: Network IP ", 137,
                             u" Network IP Found.", true, nullptr, false};
const AddressRules kHostName{&IDiscoveryLibrary::IsValidIPHostname, DiscoverHostName, u"Vesper_isValidIPHostname(",
                            u" is not a Valid HostName", 135, u"ERROR: Hostname ", 138,
                            u"Success Hostname Found.", false,
                            u"Memory allocation error --> psIPAddress == NULL.", true};
const AddressRules kMACAddress{&IDiscoveryLibrary::IsValidMACAddress, DiscoverMAC, u"Vesper_isValidMACAddress(",
                              u" Not a Valid MACAddress", 136, u"ERROR: MAC Address ", 139,
                              u"Success MACAddress Found.", false,
                              u"Memory allocation error --> psMACAddress == NULL.", false};

constexpr int kModelBufferSize = 127;

std::unique_ptr<char[]> Allocate(int length)
{
    return std::unique_ptr<char[]>(length >= 0 ? new (std::nothrow) char[static_cast<std::size_t>(length) + 1]
                                               : nullptr);
}

// The device's IP address by the two-step query, asking once more when the text grew in between.
// False when no buffer could be had.
bool ReadIPAddress(int index, CString& ipAddress)
{
    int length = 0;
    Discovery().GetIPAddress(index, nullptr, 0, &length);
    for (int call = 0; call < 2; ++call) {
        const int size = length;
        auto buffer = Allocate(size);
        if (!buffer)
            return false;
        buffer[0] = '\0';
        int result = Discovery().GetIPAddress(index, buffer.get(), size, &length);
        buffer[size] = '\0';
        ipAddress = FromVesper(buffer.get());
        if (result != VESPER_BUFFER_TOO_SMALL)
            break;
    }
    return true;
}

class AddressCheckRun {
public:
    AddressCheckRun(NetworkState& state, CWriteXML& dataFile, const AddressRules& kind, bool tellUser)
        : m_state(state), m_dataFile(dataFile), m_kind(kind), m_tellUser(tellUser)
    {
    }

    int Run(const CString& address, CString& ipAddress, int attempt)
    {
        const std::string narrow = ToVesper(address);
        int valid = (Discovery().*m_kind.isValid)(narrow.c_str());
        ProgramLog().Line(m_kind.validityCall + address + u") returns " + IntToCString(valid));
        if (valid != 0) {
            ProgramLog().Line(address + m_kind.invalidText);
            return Fail(m_kind.invalidMessage);
        }
        if (m_kind.isIPAddress)
            ProgramLog().Line(u"Valid IP Address Passed.");

        int error = m_kind.discover(narrow.c_str());
        if (error != 0) {
            LogNotDiscovered(address, error);
            return Fail(m_kind.notFoundMessage);
        }
        int count = 0;
        if (Discovery().GetNumDiscoveredDevices(&count) != VESPER_SUCCESS) {
            ProgramLog().Line(u"ERROR : Unable to get number of discovered devices. Vesper_getNumDiscoveredDevices call failed.");
            return 1;
        }
        if (count == 0) {
            if (attempt < CAddressCheck::kLastAttempt) {
                platform::Use<platform::ISleeper>().Sleep(CAddressCheck::kRetryWaitMs);
                ProgramLog().Line(u"WARNING : Number of discovered devices is 0. Retrying...");
                return Run(address, ipAddress, attempt + 1);
            }
            ProgramLog().Line(u"ERROR : Number of discovered devices is 0 after multiple retries. Giving up...");
            if (m_kind.isIPAddress)
                LogNotDiscovered(address, 0);
            return Fail(m_kind.notFoundMessage);
        }
        ProgramLog().Line(m_kind.isIPAddress ? address + m_kind.foundText : CString(m_kind.foundText));

        const int last = count - 1;
        char model[kModelBufferSize] = {};
        int length = 0;
        if (Discovery().GetModelName(last, model, kModelBufferSize, &length) != VESPER_SUCCESS) {
            ProgramLog().Line(u"ERROR : Model Name Access Failed.");
            return 1;
        }
        model[kModelBufferSize - 1] = '\0';
        CString modelName = FromVesper(model);
        ProgramLog().Line(u"Model Name Access Successful.");
        m_state.modelName = modelName;
        m_dataFile.SetValue(u"PrinterModelName", modelName);
        ProgramLog().Line(u"Model Name Obtained from Printer :" + EscapeForLog(modelName));

        if (!m_kind.isIPAddress && !ReadIPAddress(last, ipAddress)) {
            ProgramLog().Line(m_kind.allocationError);
            ipAddress.Empty();
            if (m_kind.allocationErrorFails)
                return 1;
        }
        m_dataFile.SetValue(u"PrinterAccessError", u"FALSE");
        return 0;
    }

private:
    int Fail(unsigned message)
    {
        if (m_tellUser)
            ShowMessageBox(message);
        m_dataFile.SetValue(u"PrinterAccessError", u"TRUE");
        return 1;
    }

    void LogNotDiscovered(const CString& address, int error)
    {
        ProgramLog().Line(m_kind.notFoundPrefix + address + u" not discovered on the network. Vesper Error: "
                          + IntToCString(error));
    }

    NetworkState& m_state;
    CWriteXML& m_dataFile;
    const AddressRules& m_kind;
    bool m_tellUser;
};

} // namespace

int CAddressCheck::ValidateIPAddress(const CString& address, int attempt)
{
    CString unused;
    return AddressCheckRun(m_state, m_dataFile, kIPAddress, m_tellUser).Run(address, unused, attempt);
}

int CAddressCheck::ValidateHostName(const CString& hostName, CString& ipAddress, int attempt)
{
    return AddressCheckRun(m_state, m_dataFile, kHostName, m_tellUser).Run(hostName, ipAddress, attempt);
}

int CAddressCheck::ValidateMACAddress(const CString& macAddress, CString& ipAddress, int attempt)
{
    return AddressCheckRun(m_state, m_dataFile, kMACAddress, m_tellUser).Run(macAddress, ipAddress, attempt);
}

namespace {

// What the program logs around each kind of check, and the key of the IP address it found.
struct CheckWords {
    const char16_t* call;
    const char16_t* validated;
    const char16_t* failed;
    const char16_t* foundKey; // null: the address checked is the device's
};

constexpr CheckWords kCheckWords[] = {
    {u"Calling Vesper_ValidateIPAddress(", u"IP Validated Successfully", u"IP Address is not valid or not in network",
     nullptr},
    {u"Calling Vesper_ValidateHostName(", u"Hostname Successfully Validated.", u"Hostname Validation Failed.",
     u"IPAddressFromHost"},
    {u"Calling Vesper_ValidateMACAddress(", u"MAC Address Successfully Validated.", u"MAC Address Validation Failed.",
     u"IPAddressFromMAC"},
};

} // namespace

int RunAddressCheck(NetworkState& state, CWriteXML& answers, AddressKind kind, const CString& address, bool tellUser)
{
    const CheckWords& words = kCheckWords[static_cast<int>(kind)];
    CAddressCheck check(state, answers, tellUser);
    ProgramLog().Line(words.call + address + u").");
    CString ipAddress;
    const int result = kind == AddressKind::IPAddress  ? check.ValidateIPAddress(address, 0)
                       : kind == AddressKind::HostName ? check.ValidateHostName(address, ipAddress, 0)
                                                       : check.ValidateMACAddress(address, ipAddress, 0);
    ProgramLog().Line(result == 0 ? words.validated : words.failed);
    if (result == 0 && words.foundKey)
        answers.SetValue(words.foundKey, ipAddress);
    return result;
}
