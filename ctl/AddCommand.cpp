// tarrowctl add DEVICE [OPTIONS]: the wizard's set-up without its pages, step by step.
#include "ctl/Commands.h"
#include "ctl/Console.h"
#include "ctl/Device.h"
#include "ctl/DeviceRegistration.h"
#include "ctl/ExistingSetUp.h"
#include "ctl/ExitCodes.h"
#include "ctl/FolderRecords.h"
#include "ctl/NetworkPath.h"
#include "ctl/Password.h"
#include "ctl/RunResult.h"
#include "ctl/ScanOptionWords.h"

#include "frontend/FolderChecks.h"
#include "frontend/LogonCheck.h"
#include "frontend/ProcessAccount.h"
#include "library/Quillet_Library.h"
#include "platform/core/LastError.h"
#include "platform/core/Paths.h"
#include "platform/core/Services.h"
#include "platform/core/SystemErrors.h"
#include "platform/core/SystemInfo.h"
#include "platform/core/SystemVersion.h"
#include "platform/fs/WindowsPath.h"
#include "platform/security/Logon.h"
#include "platform/shares/SambaSettings.h"

#include <future>
#include <iostream>

namespace {

// Everything add needs before it changes anything.
struct AddPlan {
    CString location, folderName, computerName;
    CString userName, domain;
    std::string password;
    bool storeAccount = true;
    bool shortcut = false;
    bool takeOver = false; // an earlier run of the same set-up stopped part-way: finish it
    bool ifAbsent = false; // --if-absent: what is in place already is left as it is
    SetUpFound found = SetUpFound::Nothing;
    ScanOptions options = DefaultScanOptions();
};

std::string PosixFolder(const AddPlan& plan)
{
    CString base = plan.location;
    if (base.IsEmpty() || base[base.GetLength() - 1] != u'\\')
        base += u'\\';
    CString full = platform::WithoutTrailingBlanksAndDots(base + plan.folderName);
    return platform::ToPosixPath(full).value_or(Utf8(full));
}

// Reads the options into plan; kExitOk or the code to end with.
int ReadAccount(const Arguments& args, AddPlan& plan)
{
    if (auto user = args.Value("--user")) {
        plan.userName = CString::FromUtf8(*user);
        platform::Use<platform::ISystemInfo>().GetComputerName(plan.domain);
    } else if (!GetUserAndDomainFromToken(plan.userName, plan.domain)) {
        Error("could not read the account running tarrowctl; give --user");
        return kExitFailed;
    }
    if (auto domain = args.Value("--domain"))
        plan.domain = CString::FromUtf8(*domain);
    plan.userName.TrimLeft().TrimRight();
    plan.domain.TrimLeft().TrimRight();
    if (plan.userName.IsEmpty())
        return UsageError("add", "the user name is empty");
    plan.storeAccount = !args.Has("--ask-at-device");
    if (!plan.storeAccount)
        return kExitOk;
    std::string error;
    if (!GetPassword(args.Has("--password-stdin"), "Password of " + Utf8(plan.userName) + ": ", plan.password, error))
        return UsageError("add", error);
    if (plan.password.empty())
        return UsageError("add", "an empty password cannot be checked; to store no account, use --ask-at-device");
    return kExitOk;
}

int ChooseFolder(const Arguments& args, const FoundDevice& device, AddPlan& plan)
{
    if (auto location = args.Value("--location")) {
        plan.location = CString::FromUtf8(*location);
    } else {
        CString homeDrive;
        if (!ProposeLocation(plan.location, homeDrive)) {
            Error("no home folder to propose a location in; give --location");
            return kExitFailed;
        }
    }
    if (!ValidateLocation(plan.location)) {
        Error("the location \"" + Utf8(plan.location) + "\" is not a folder that exists or can be made");
        return kExitFailed;
    }
    if (!platform::Use<platform::ISystemInfo>().GetComputerName(plan.computerName)) {
        Error("could not read this computer's name");
        return kExitFailed;
    }
    if (auto name = args.Value("--name")) {
        plan.folderName = CString::FromUtf8(*name);
        if (!ValidateShareName(plan.folderName)) {
            Error("\"" + *name + "\" is not a folder name: it is empty or holds one of " +
                  Utf8(kRefusedNameCharacters));
            return kExitFailed;
        }
        if (plan.ifAbsent) {
            Progress("checking whether " + Utf8(plan.folderName) + " is set up already, here and on the device");
            const WantedSetUp wanted{Utf8(plan.computerName), *name, Utf8(plan.userName),
                                     plan.storeAccount ? Utf8(plan.userName) : "", PosixFolder(plan)};
            if (int code = CheckExistingSetUp(device, wanted, plan.found); code != kExitOk)
                return code;
            if (plan.found != SetUpFound::Nothing) {
                Progress(plan.found == SetUpFound::Whole
                             ? "the folder, its share and the device's record are in place"
                             : "the folder and its share are in place (for another device); the device's record is "
                               "missing");
                return kExitOk;
            }
        }
        plan.takeOver = IsSetUpUnfinished(plan.location, plan.folderName, plan.userName);
        if (plan.takeOver)
            Progress("an earlier set-up of " + Utf8(plan.folderName) + " for " + Utf8(plan.userName) +
                     " stopped before it finished: what it made is checked and taken over");
        else
            Progress("checking that the name " + Utf8(plan.folderName) + " is free here and on the device");
        if (!plan.takeOver && !IsFolderNameUnique(device.ipAddress, plan.location, plan.folderName)) {
            const std::string detail = Utf8(GetFailureDetail());
            Error("the name \"" + Utf8(plan.folderName) + "\" cannot be used: " +
                  (detail.empty() ? "it is already used by a folder, a share or a desktop link here, or by a folder "
                                    "on the device"
                                  : detail));
            return kExitFailed;
        }
    } else {
        Progress("proposing a folder name free here and on the device");
        if (!GenerateUniqueFolderName(device.ipAddress, plan.location, device.modelName, plan.folderName)) {
            Error("no free folder name was found; give one with --name");
            return kExitFailed;
        }
    }
    Progress("the folder will be " + PosixFolder(plan) + ", shared as \\\\" + Utf8(plan.computerName) + "\\" +
             Utf8(plan.folderName));
    return kExitOk;
}

// Why this computer's Samba server refused the account, from the logon's last error, with the fix.
std::string LogonRefusal(int error, const std::string& user)
{
    if (error == platform::kErrorNoSuchUser)
        return "this computer's Samba server gave " + user + " only a guest session, which cannot write "
               "into the folder: the account has no Samba password, or there is no account of that name.\n"
               "Fix: tarrowctl doctor --fix --user " + user + " --password-stdin (sets this password as its Samba "
               "password, after one authentication), or check the spelling";
    if (error == platform::kErrorNoLogonServers)
        return "this computer's Samba server did not answer, so the password of " + user + " could not be checked.\n"
               "Fix: tarrowctl doctor --fix (starts it, after one authentication)";
    return "this computer refused the password of " + user + ".\n"
           "Fix: give the account's Samba password (it is set with: sudo smbpasswd -a " + user + ")";
}

// The password check, begun as soon as the password is read: it does not depend on the device,
// so it runs while the device is asked, and CheckAccount reports it in its turn. Nothing is begun
// when no account is stored or the system version cannot be read (CheckAccount says so).
std::future<LogonOutcome> BeginLogon(const AddPlan& plan)
{
    platform::OsVersion version;
    if (!plan.storeAccount || !platform::Use<platform::ISystemVersion>().GetVersion(version))
        return {};
    return std::async(std::launch::async, [method = LogonMethodFor(version), user = plan.userName,
                                           domain = plan.domain, password = CString::FromUtf8(plan.password)] {
        return AttemptLogon(method, user, domain, password);
    });
}

int CheckAccount(const AddPlan& plan, std::future<LogonOutcome>& logon)
{
    if (!plan.storeAccount)
        return kExitOk;
    Progress("checking the password of " + Utf8(plan.domain) + "\\" + Utf8(plan.userName) +
             " against this computer's Samba server");
    if (!logon.valid()) {
        Error("could not read the system version");
        return kExitFailed;
    }
    const LogonOutcome outcome = logon.get();
    if (!ReportLogon(outcome)) {
        Error(LogonRefusal(outcome.error, Utf8(plan.userName)));
        return kExitLogonRefused;
    }
    return kExitOk;
}

// The device's record of the name that a stopped run may have registered: deleted, so that the
// registration of this run holds. False (said) when the device holds the name for another path.
bool ClearEarlierRecord(const FoundDevice& device, const AddPlan& plan)
{
    std::vector<FolderRecordRow> records;
    if (!ReadFolderRecords(device, records))
        return false;
    CString wanted = plan.folderName;
    wanted.MakeUpper();
    const std::string path = "\\\\" + Utf8(plan.computerName) + "\\" + Utf8(plan.folderName);
    for (const FolderRecordRow& record : records) {
        const CString name = CString::FromUtf8(record.name);
        if (CString(name).MakeUpper() != wanted)
            continue;
        if (CString::FromUtf8(record.path).MakeUpper() != CString::FromUtf8(path).MakeUpper()) {
            Error("the device holds a folder \"" + record.name + "\" for " + record.path +
                  ", so the name cannot be used for this folder");
            return false;
        }
        Progress("the device holds the record of the earlier run: it is registered again with this run's options");
        CStringList names;
        names.AddTail(name);
        if (DeleteFolderList(device.ipAddress, names) != BREDE_NO_ERROR) {
            Error("the device did not remove the earlier run's record (see the log)");
            return false;
        }
    }
    return true;
}

// Takes back what ConfigureComputer made, after the device step failed.
std::string UndoneOnThisComputer(const AddPlan& plan)
{
    if (UndoComputerSetup(plan.folderName) == BREDE_NO_ERROR)
        return "What was made on this computer for it was taken away again; the log lists each step.";
    return "Some of what was made on this computer for it could not be taken away; the log says what is "
           "left and why. Run the same tarrowctl add again to finish the set-up.";
}

// What add did ("added"; "registered": the device's record alone) or found in place
// ("unchanged"), as text or in the document.
void Report(const FoundDevice& device, const AddPlan& plan, const char* result)
{
    const bool unchanged = plan.found == SetUpFound::Whole;
    const std::string name = Utf8(plan.folderName), share = NetworkPath(Utf8(plan.computerName), name);
    const std::string user = plan.storeAccount ? Utf8(plan.userName) : "";
    CurrentRun()
        .Fields()
        .Set("changed", !unchanged)
        .Set("result", result)
        .Set("name", name)
        .Set("folder", PosixFolder(plan))
        .Set("share", share)
        .Set("device", Utf8(device.ipAddress))
        .Set("user", user);
    if (CurrentRun().Json())
        return;
    const std::string where = PosixFolder(plan) + ", shared as " + share + ", registered on the device at " +
                              Utf8(device.ipAddress) +
                              (plan.storeAccount ? " with the account " + user : ", which asks for an account at each scan");
    if (unchanged)
        std::cout << "Scan folder " << name << " is set up already: " << where << "; nothing was changed." << std::endl;
    else if (plan.found == SetUpFound::ComputerSide)
        std::cout << "Scan folder " << name << " (set up here before) registered: " << where << "." << std::endl;
    else
        std::cout << "Scan folder " << name << " set up: " << where << "." << std::endl;
}

int SetUp(const FoundDevice& device, const AddPlan& plan)
{
    const bool computerSideMade = plan.found == SetUpFound::Nothing;
    if (computerSideMade) {
        Progress("making the folder, its rights and its share on this computer");
        if (ConfigureComputer(plan.location, plan.folderName, plan.shortcut ? -1 : 0, plan.userName) != BREDE_NO_ERROR) {
            const std::string detail = Utf8(GetFailureDetail());
            Error("the folder could not be set up on this computer" +
                  (detail.empty() ? std::string(" (see the log)") : ":\n" + detail));
            return kExitFailed;
        }
        CurrentRun().Fields().Set("changed", true); // whatever the device says next
    }
    if (plan.takeOver && !ClearEarlierRecord(device, plan)) {
        Error(UndoneOnThisComputer(plan));
        return kExitFailed;
    }
    Progress("registering the folder on the device");
    const StoredAccount account{plan.userName, CString::FromUtf8(plan.password), plan.domain};
    const bool registered = RegisterFolder(device.ipAddress, plan.computerName, plan.folderName, plan.options,
                                           plan.storeAccount ? &account : nullptr);
    if (!registered) {
        Error("the device did not register the folder (see the log)." +
              (computerSideMade ? "\n" + UndoneOnThisComputer(plan) : std::string()));
        return kExitFailed;
    }
    Report(device, plan, computerSideMade ? "added" : "registered");
    return kExitOk;
}

} // namespace

int RunAdd(const Arguments& args)
{
    CurrentRun().Fields().Set("changed", false);
    std::vector<std::string> positionals = args.Positionals();
    DeviceName name;
    AddPlan plan;
    std::string error;
    if (!DeviceFromArguments(args, positionals, name, error))
        return UsageError("add", error);
    if (!positionals.empty())
        return UsageError("add", "unexpected argument \"" + positionals.front() + "\"");
    if (!ScanOptionsFromArguments(args, plan.options, error))
        return UsageError("add", error);
    plan.shortcut = args.Has("--shortcut");
    plan.ifAbsent = args.Has("--if-absent");
    if (plan.ifAbsent && !args.Value("--name"))
        return UsageError("add", "--if-absent needs the folder's --name: the name tells which set-up to look for");
    // Samba's configuration is read meanwhile, while the password is read and the device is
    // asked: the checks on this computer need it next.
    platform::PrefetchSambaSettings();
    if (int code = ReadAccount(args, plan); code != kExitOk)
        return code;
    std::future<LogonOutcome> logon = BeginLogon(plan);

    FoundDevice device;
    int features = 0;
    if (int code = FindUsableDevice(name, device, features); code != kExitOk)
        return code;
    if (int code = ChooseFolder(args, device, plan); code != kExitOk)
        return code;
    if (plan.found == SetUpFound::Whole) {
        Report(device, plan, "unchanged");
        return kExitOk;
    }
    if (int code = CheckAccount(plan, logon); code != kExitOk)
        return code;
    return SetUp(device, plan);
}
