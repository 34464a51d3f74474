#include "network/CQuilletNetworkApp.h"

#include "common/data/DataFile.h"

#include "common/localization/LanguageCode.h"
#include "common/log/ProgramLog.h"
#include "network/AddressCheck.h"
#include "platform/core/CommandLine.h"
#include "network/DiscoveryLibrary.h"
#include "network/DiscoveryWorker.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "platform/fs/FileSystem.h"

#include <algorithm>

namespace {

const CString kIPAddressMode = u"IPAddress";
const CString kHostNameMode = u"HostName";
const CString kMACAddressMode = u"MACAddress";
const CString kListMode = u"NetworkDiscovery";

bool EqualsNoCase(CString a, CString b)
{
    return a.MakeUpper() == b.MakeUpper();
}

// The leading signed decimal number of a text, 0 when there is none.
int LeadingInteger(const CString& text)
{
    const std::u16string& s = text.str();
    std::size_t pos = 0;
    while (pos < s.size() && IsWideSpace(s[pos]))
        ++pos;
    bool negative = pos < s.size() && s[pos] == u'-';
    if (pos < s.size() && (s[pos] == u'-' || s[pos] == u'+'))
        ++pos;
    long long value = 0;
    for (; pos < s.size() && s[pos] >= u'0' && s[pos] <= u'9' && value <= 0x7FFFFFFF; ++pos)
        value = value * 10 + (s[pos] - u'0');
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, -0x7FFFFFFFLL - 1, 0x7FFFFFFF));
}

bool FolderExists(const CString& path)
{
    unsigned attributes = 0;
    return platform::Use<platform::IFileSystem>().GetFileAttributes(path, attributes) == 0;
}

} // namespace

CQuilletNetworkApp::CQuilletNetworkApp(NetworkState& state, CWriteXML& dataFile, DiscoveryPages discoveryPages)
    : m_state(state), m_dataFile(dataFile), m_discoveryPages(std::move(discoveryPages))
{
}

bool CQuilletNetworkApp::InitInstance(const CString& commandLine)
{
    Discovery().Startup(1);
    m_nResultCode = 0;
    ProgramLog().Open(kLogFilePath);
    ProgramLog().BlankLine();
    ProgramLog().Line(u"Starting TarrowNetwork.exe.");

    m_state.languageCode = ChooseLanguageCode();
    m_state.moduleFolder = platform::Use<platform::ISystemInfo>().GetModuleFolder();
    ProgramLog().Line(u"HTML " + m_state.moduleFolder);
    if (!FolderExists(m_state.moduleFolder + u"\\" + m_state.languageCode))
        m_state.languageCode = u"ENWW";

    ParseCommandLine(m_cmdInfo, SplitCommandLine(commandLine));
    ProgramLog().Line(u"QuilletNetwork Command Line Arguments: " + commandLine);
    ChooseRunMode();
    ApplyWindowPosition();

    if (EqualsNoCase(m_csRunMode, kListMode)) {
        ProgramLog().Line(u"Network Discovery of device model");
        if (m_discoveryPages)
            m_discoveryPages(m_state, m_dataFile);
    } else {
        RunAddressCheck();
    }

    // A data file that cannot be written is no answer: the caller must not take it for one.
    if (m_nResultCode == 0 && !m_dataFile.CreateDataFile())
        m_state.exitCode = kDataFileNotWritten;

    ProgramLog().Line(u"Finishing TarrowNetwork.exe.");
    Discovery().Shutdown(1);
    return true;
}

int CQuilletNetworkApp::ExitInstance()
{
    // A worker still searching was stopped by the shutdown above; let it finish before the end.
    JoinDiscoveryWorkers();
    m_nResultCode = m_state.exitCode;
    ProgramLog() << "\n";
    return m_state.exitCode;
}

void CQuilletNetworkApp::ChooseRunMode()
{
    if (m_cmdInfo.GetOption(u"ipaddress", m_csIPAddress))
        m_csRunMode = kIPAddressMode;
    else if (m_cmdInfo.GetOption(u"hostname", m_csHostName))
        m_csRunMode = kHostNameMode;
    else if (m_cmdInfo.GetOption(u"macaddress", m_csMACAddress))
        m_csRunMode = kMACAddressMode;
    else
        m_csRunMode = kListMode;
}

void CQuilletNetworkApp::ApplyWindowPosition()
{
    CString value;
    if (m_cmdInfo.GetOption(u"x", value))
        m_state.posX = LeadingInteger(value);
    if (m_cmdInfo.GetOption(u"y", value))
        m_state.posY = LeadingInteger(value);
}

void CQuilletNetworkApp::RunAddressCheck()
{
    int result = 1;
    if (EqualsNoCase(m_csRunMode, u"IPaddress"))
        result = ::RunAddressCheck(m_state, m_dataFile, AddressKind::IPAddress, m_csIPAddress);
    else if (EqualsNoCase(m_csRunMode, u"Hostname"))
        result = ::RunAddressCheck(m_state, m_dataFile, AddressKind::HostName, m_csHostName);
    else if (EqualsNoCase(m_csRunMode, kMACAddressMode))
        result = ::RunAddressCheck(m_state, m_dataFile, AddressKind::MACAddress, m_csMACAddress);
    m_nResultCode = result;
    m_state.exitCode = result;
}
