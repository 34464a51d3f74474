// tarrowctl doctor [DEVICE] [--fix]: the computer-side self-test, for each share a device writes
// into, and the fixes of its problems that need root (fixes/), asked for once.
#include "ctl/Commands.h"
#include "ctl/Confirm.h"
#include "ctl/Console.h"
#include "ctl/Device.h"
#include "ctl/ExitCodes.h"
#include "ctl/FolderRecords.h"
#include "ctl/NetworkPath.h"
#include "ctl/Password.h"
#include "ctl/RunResult.h"

#include "fixes/ApplyFixes.h"
#include "frontend/ProcessAccount.h"
#include "library/Quillet_Library.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "platform/shares/Shares.h"
#include "selfcheck/SelfCheck.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <unistd.h>

namespace {

// The checks that look at one share; the others look at the computer and run once.
bool IsShareCheck(const std::string& name)
{
    return name == "share" || name == "folder-rights";
}

struct Finding {
    std::string share; // empty for the computer's own checks
    selfcheck::CheckResult result;
};

// The shares named \\computer\SHARE in the device's records, in the device's order.
std::vector<std::string> SharesOnDevice(const std::vector<FolderRecordRow>& records, const std::string& computer)
{
    std::vector<std::string> shares;
    const std::string prefix = NetworkPath(computer, "");
    for (const FolderRecordRow& record : records) {
        if (record.path.size() <= prefix.size())
            continue;
        std::string host = record.path.substr(0, prefix.size());
        std::transform(host.begin(), host.end(), host.begin(), [](unsigned char c) { return std::toupper(c); });
        if (host == prefix)
            shares.push_back(record.path.substr(prefix.size()));
    }
    return shares;
}

// The device's record of the share: there, and naming the account when it stores one.
selfcheck::CheckResult DeviceRecordCheck(const std::vector<FolderRecordRow>& records, const std::string& computer,
                                         const std::string& share, const std::string& account)
{
    const std::string path = NetworkPath(computer, share);
    for (const FolderRecordRow& record : records) {
        if (record.path != path)
            continue;
        if (!record.user.empty() && record.user != account)
            return {"device-record", selfcheck::Status::Problem,
                    "the device's record " + record.name + " writes as " + record.user + ", not as " + account,
                    "tarrowctl remove DEVICE '" + record.name + "' and add it again with --user " + account, {}};
        return {"device-record", selfcheck::Status::Ok,
                "the device's record " + record.name + " writes to " + path +
                    (record.user.empty() ? " as whoever signs in at the device" : " as " + record.user),
                "", {}};
    }
    return {"device-record", selfcheck::Status::Problem, "the device holds no record of " + path,
            "tarrowctl add DEVICE --name '" + share + "'", {}};
}

// The device's own check that it reaches the share with the stored account (the password given
// to doctor); skipped without a password or for a record that stores no account. This computer
// sees nothing of the device's session, so the result is the device's word and says so.
selfcheck::CheckResult DevicePathCheck(const FoundDevice& device, const std::vector<FolderRecordRow>& records,
                                       const std::string& computer, const std::string& share,
                                       const std::optional<std::string>& password)
{
    const std::string path = NetworkPath(computer, share);
    auto record = std::find_if(records.begin(), records.end(),
                               [&path](const FolderRecordRow& row) { return row.path == path; });
    if (record == records.end() || record->user.empty())
        return {"device-path", selfcheck::Status::Skipped, "the device stores no account for " + path, "", {}};
    if (!password)
        return {"device-path", selfcheck::Status::Skipped,
                "the device's own check of " + path + " needs the password of " + record->user + " (--password-stdin)",
                "", {}};
    const CString computerName = CString::FromUtf8(computer);
    if (IsFolderPathValidOnDevice(device.ipAddress, CString::FromUtf8(record->user), CString::FromUtf8(*password),
                                  computerName, computerName, CString::FromUtf8(share)))
        return {"device-path", selfcheck::Status::Ok, "the device says it reaches " + path + " as " + record->user, "", {}};
    return {"device-path", selfcheck::Status::Problem,
            "the device says it cannot reach " + path + " with the password given for " + record->user,
            "tarrowctl remove DEVICE '" + record->name + "' and add it again with the account's current password", {}};
}

// The findings: in the document's "checks" and, without --json, as text.
void Print(const std::vector<Finding>& findings)
{
    JsonArray checks;
    std::size_t problems = 0;
    for (const Finding& finding : findings) {
        const selfcheck::CheckResult& r = finding.result;
        checks.Add(JsonObject()
                       .Set("check", r.name)
                       .Set("share", finding.share)
                       .Set("status", selfcheck::StatusName(r.status))
                       .Set("detail", r.detail)
                       .Set("fix", r.fix));
        problems += r.status == selfcheck::Status::Problem ? 1 : 0;
    }
    CurrentRun().Fields().Set("checks", checks);
    CurrentRun().SetFailure(problems ? std::to_string(problems) + " problem(s) found; \"checks\" gives each with its fix"
                                     : std::string());
    if (CurrentRun().Json())
        return;
    for (const Finding& finding : findings) {
        const selfcheck::CheckResult& r = finding.result;
        std::string status = selfcheck::StatusName(r.status);
        status.resize(8, ' ');
        std::cout << status << r.name << (finding.share.empty() ? "" : " (" + finding.share + ")") << ": " << r.detail
                  << "\n";
        if (!r.fix.empty())
            std::cout << "        fix: " << r.fix << "\n";
    }
    std::cout << std::flush;
}

// The checks of the computer (once) and of each share, with the device's records of the shares.
std::vector<Finding> CheckAll(selfcheck::CheckInput input, const std::vector<std::string>& shares, bool withDevice,
                              const FoundDevice& device, const std::vector<FolderRecordRow>& records,
                              const std::optional<std::string>& password)
{
    std::vector<Finding> findings;
    for (const std::string& share : shares) {
        Progress(share.empty() ? "checking this computer" : "checking this computer and the share " + share);
        input.shareName = share;
        CString path;
        input.folder.clear();
        if (!share.empty() && platform::Use<platform::IShares>().GetSharePath(CString::FromUtf8(share), path) == 0)
            input.folder = Utf8(path);
        for (selfcheck::CheckResult& result : selfcheck::RunChecks(input)) {
            const bool perShare = IsShareCheck(result.name);
            if (perShare || &share == &shares.front())
                findings.push_back({perShare ? share : "", std::move(result)});
        }
        if (withDevice && !share.empty()) {
            findings.push_back({share, DeviceRecordCheck(records, input.computerName, share, input.account)});
            findings.push_back({share, DevicePathCheck(device, records, input.computerName, share, password)});
        }
    }
    return findings;
}

bool AnyProblem(const std::vector<Finding>& findings)
{
    return std::any_of(findings.begin(), findings.end(), [](const Finding& finding) {
        return finding.result.status == selfcheck::Status::Problem;
    });
}

// Offers the fixes of the problems found, asks once, and carries them out; false when one failed
// or the user said no.
bool OfferFixes(const std::vector<Finding>& findings, const selfcheck::CheckInput& input,
                const std::optional<std::string>& password, bool askFirst)
{
    std::vector<selfcheck::CheckResult> results;
    for (const Finding& finding : findings)
        results.push_back(finding.result);
    std::vector<fixes::PlannedFix> plan = fixes::PlanFixes(results, input.shareMaker);
    std::erase_if(plan, [&](const fixes::PlannedFix& fix) {
        if (!fixes::NeedsPassword(fix.request) || password)
            return false;
        Progress("to give " + fix.request.account + " a Samba password, run doctor --fix again with its password "
                 "on standard input (--password-stdin)");
        return true;
    });
    if (plan.empty()) {
        Progress("nothing to fix that tarrowctl can fix");
        return true;
    }
    const bool root = geteuid() == 0;
    std::string list = root ? "these fixes change the system:\n" : "these fixes need an administrator's authentication (once):\n";
    for (const fixes::PlannedFix& fix : plan)
        list += "  - " + fix.words + "\n";
    std::cerr << list << std::flush;
    if (askFirst && !ConfirmOnTerminal("Apply these fixes? [y/N] ")) {
        Error("no fix was applied (answer y, or give --yes where no one can answer)");
        return false;
    }
    fixes::FixRun run;
    run.direct = root;
    run.account = input.shareMaker;
    run.password = password.value_or("");
    run.log = [](const std::string& line) { Progress(line); };
    bool ok = true;
    for (const fixes::AppliedFix& applied : fixes::ApplyFixes(plan, run)) {
        if (applied.outcome.ok) {
            Progress("fixed: " + applied.outcome.message);
        } else {
            Error("could not " + applied.fix.words + ": " + applied.outcome.message);
            ok = false;
        }
    }
    return ok;
}

} // namespace

int RunDoctor(const Arguments& args)
{
    std::vector<std::string> positionals = args.Positionals();
    const bool withDevice = !positionals.empty() || args.Has("--host") || args.Has("--mac");
    DeviceName name;
    std::string error;
    if (withDevice && !DeviceFromArguments(args, positionals, name, error))
        return UsageError("doctor", error);
    if (!positionals.empty())
        return UsageError("doctor", "unexpected argument \"" + positionals.front() + "\"");
    if (args.Has("--yes") && !args.Has("--fix"))
        return UsageError("doctor", "--yes answers the question of --fix");

    selfcheck::CheckInput input;
    CString user, domain, computer;
    if (GetUserAndDomainFromToken(user, domain))
        input.account = Utf8(user);
    // Shares are made by the account that runs the set-up; root runs it for the account named.
    input.shareMaker = geteuid() == 0 ? args.Value("--user").value_or("") : input.account;
    if (auto given = args.Value("--user"))
        input.account = *given;
    platform::Use<platform::ISystemInfo>().GetComputerName(computer);
    input.computerName = Utf8(computer);
    if (args.Has("--smb1"))
        input.device.lowestDialect = "NT1";
    input.device.needsNtlmV1 = args.Has("--ntlmv1");

    std::optional<std::string> password;
    if (args.Has("--password-stdin")) {
        password.emplace();
        if (!ReadPasswordLine(*password))
            return UsageError("doctor", "no password on standard input");
    }
    input.password = password;

    std::vector<std::string> shares;
    std::vector<FolderRecordRow> records;
    FoundDevice device;
    if (withDevice) {
        if (int code = FindDevice(name, device); code != kExitOk)
            return code;
        if (!ReadFolderRecords(device, records))
            return kExitFailed;
        shares = SharesOnDevice(records, input.computerName);
        input.device.address = Utf8(device.ipAddress);
    }
    if (auto share = args.Value("--share"))
        shares = {*share};
    if (shares.empty())
        shares.push_back(""); // the computer's checks alone

    std::vector<Finding> findings = CheckAll(input, shares, withDevice, device, records, password);
    if (!args.Has("--fix") || !AnyProblem(findings)) {
        Print(findings);
        if (args.Has("--fix"))
            Progress("nothing to fix");
        return AnyProblem(findings) ? kExitFailed : kExitOk;
    }
    if (!CurrentRun().Json())
        Print(findings);
    const bool fixed = OfferFixes(findings, input, password, !args.Has("--yes"));
    Progress("checking again");
    findings = CheckAll(input, shares, withDevice, device, records, password);
    Print(findings);
    return fixed && !AnyProblem(findings) ? kExitOk : kExitFailed;
}
