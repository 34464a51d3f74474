#include "frontend/NetworkProgram.h"

#include "common/data/CNetworkConnect.h"
#include "common/data/DataFile.h"
#include "common/log/LogEscape.h"
#include "common/log/ProgramLog.h"
#include "platform/core/CommandLine.h"
#include "platform/core/Paths.h"
#include "platform/core/RunFolder.h"
#include "platform/core/RunProgram.h"
#include "platform/core/Services.h"

#include <cstdio>

namespace {

struct ModeRow {
    NetworkMode mode;
    const char16_t* commandSwitch; // null: no switch and no address
    const char16_t* addressKey; // the key that holds the device's IP address; null: the one entered
};

constexpr ModeRow kModes[] = {
    {NetworkMode::IPAddress, u"-ipaddress", nullptr},
    {NetworkMode::MACAddress, u"-macaddress", u"IPAddressFromMAC"},
    {NetworkMode::HostName, u"-hostname", u"IPAddressFromHost"},
    {NetworkMode::List, nullptr, nullptr},
};

const ModeRow& RowOf(NetworkMode mode)
{
    return kModes[static_cast<int>(mode)];
}

// The value of key, or empty when the file or the key is missing.
CString ValueOf(const char16_t* key)
{
    CString value;
    CNetworkConnect::ReadXML(value, key);
    return value;
}

} // namespace

bool CanBeDeviceAddress(const CString& text)
{
    return text.str().find_first_of(u" \"") == std::u16string::npos;
}

CStringList NetworkArguments(int posX, int posY, NetworkMode mode, const CString& address)
{
    CStringList arguments;
    for (const CString& argument : {CString(u"-x"), IntToCString(posX), CString(u"-y"), IntToCString(posY)})
        arguments.AddTail(argument);
    if (const char16_t* commandSwitch = RowOf(mode).commandSwitch) {
        arguments.AddTail(commandSwitch);
        arguments.AddTail(address);
    }
    return arguments;
}

int RunNetworkProgram(const CString& moduleFolder, const CStringList& arguments, platform::ChildStop* stop)
{
    CLogStream& log = ProgramLog();
    const CString program = moduleFolder + u"\\TarrowNetwork.exe";
    // What the program writes is this run's answer, never an earlier run's.
    std::remove(platform::ToPosixPathOrMissing(DataFilePath()).c_str());

    // Programs here carry no extension: the log names the program as the wizard always did.
    std::vector<std::string> argv{platform::ToPosixPathOrMissing(moduleFolder + u"\\TarrowNetwork")};
    for (const CString& argument : arguments)
        argv.push_back(argument.ToUtf8());
    log.Close();
    // The search's own window talks to the user and ends when the user closes it: no time-out.
    const platform::RunOptions options(platform::kNoTimeout, stop, platform::RunOptions::Output::ToUser,
                                       platform::RunOptions::Wait::UntilEnd);
    platform::ProgramResult run = platform::Use<platform::IProgramRunner>().Run(argv, {}, options);
    log.Open(kLogFilePath);
    if (!run.started) {
        log.Line(u"LaunchNetworkProgram(): ERROR: Could not start " + EscapeForLog(program) + u" with " +
                 EscapeForLog(JoinCommandLine(arguments)));
        return -1;
    }
    // A program ended by a signal gives 128 plus its number, as a shell tells it.
    return run.signal ? 128 + run.signal : run.exitCode;
}

AddressAnswer ReadAddressAnswer(int exitCode, NetworkMode mode, const CString& address)
{
    AddressAnswer answer;
    if (exitCode == kDataFileNotWritten) {
        answer.accessState = u"DataFileError";
        return answer;
    }
    if (exitCode != 0) {
        answer.accessState = u"TRUE";
        return answer;
    }
    const ModeRow& row = RowOf(mode);
    CString first;
    if (!CNetworkConnect::ReadXML(first, row.addressKey ? row.addressKey : u"PrinterModelName")) {
        answer.accessState = u"DataFileError";
        return answer;
    }
    if (row.addressKey) {
        answer.deviceIp = first;
        answer.modelName = ValueOf(u"PrinterModelName");
    } else {
        answer.deviceIp = address;
        answer.modelName = first;
    }
    answer.accessState = ValueOf(u"PrinterAccessError");
    return answer;
}

CString DataFileProblem(int exitCode)
{
    const CString path = DataFilePath();
    if (path.IsEmpty())
        return u"There is no private folder for this run's data file: " + platform::RunFolderFailure();
    const CString shown = CString::FromUtf8(platform::ToPosixPathOrMissing(path));
    if (exitCode == kDataFileNotWritten)
        return u"TarrowNetwork could not write its data file " + shown + u".";
    return u"What TarrowNetwork found could not be read from " + shown + u".";
}

DeviceChoice ReadDeviceChoice()
{
    DeviceChoice choice;
    CString status;
    // No data file: the search was stopped or its list could not be written; nothing was chosen.
    if (!CNetworkConnect::ReadXML(status, u"SelectionStatus") || status == u"0")
        return choice;
    choice.chosen = true;
    choice.ipAddress = ValueOf(u"IPAddress");
    choice.macAddress = ValueOf(u"MACAddress");
    choice.hostName = ValueOf(u"HostName");
    choice.modelName = ValueOf(u"PrinterModelName");
    return choice;
}
