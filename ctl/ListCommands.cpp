// tarrowctl list DEVICE, tarrowctl remove DEVICE NAME... [--computer-side]
#include "ctl/Commands.h"
#include "ctl/ComputerSteps.h"
#include "ctl/Console.h"
#include "ctl/ExitCodes.h"
#include "ctl/FolderRecords.h"
#include "ctl/RunResult.h"
#include "ctl/ScanOptionWords.h"

#include "library/Quillet_Library.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"

#include <algorithm>
#include <iostream>

namespace {

// The device named in args, taken off positionals.
bool NameOf(const char* command, const Arguments& args, std::vector<std::string>& positionals, DeviceName& name,
            int& code)
{
    std::string error;
    if (DeviceFromArguments(args, positionals, name, error))
        return true;
    code = UsageError(command, error);
    return false;
}

// The records as list --json gives them, with the scan options in the words add takes.
JsonArray RecordsJson(const std::vector<FolderRecordRow>& records)
{
    JsonArray folders;
    for (const FolderRecordRow& record : records)
        folders.Add(JsonObject()
                        .Set("name", record.name)
                        .Set("path", record.path)
                        .Set("user", record.user)
                        .Set("format", FileFormatWord(record.format))
                        .Set("resolution", ResolutionWord(record.resolution))
                        .Set("color", ColorWord(record.color))
                        .Set("size", FileSizeWord(record.size)));
    return folders;
}

void PrintTable(const std::vector<FolderRecordRow>& records)
{
    if (records.empty()) {
        std::cout << "The device holds no scan folders." << std::endl;
        return;
    }
    std::vector<FolderRecordRow> shown;
    std::size_t nameWidth = 4, pathWidth = 12;
    for (const FolderRecordRow& record : records) {
        FolderRecordRow row = record;
        row.name = Printable(record.name);
        row.path = Printable(record.path);
        row.user = Printable(record.user);
        shown.push_back(row);
        nameWidth = std::max(nameWidth, shown.back().name.size());
        pathWidth = std::max(pathWidth, shown.back().path.size());
    }
    const auto padded = [](std::string text, std::size_t width) {
        text.resize(std::max(text.size(), width), ' ');
        return text;
    };
    std::cout << padded("NAME", nameWidth) << "  " << padded("NETWORK PATH", pathWidth) << "  USER\n";
    for (const FolderRecordRow& record : shown)
        std::cout << padded(record.name, nameWidth) << "  " << padded(record.path, pathWidth) << "  " << record.user
                  << "\n";
    std::cout << std::flush;
}

} // namespace

int RunList(const Arguments& args)
{
    std::vector<std::string> positionals = args.Positionals();
    DeviceName name;
    int code = kExitOk;
    if (!NameOf("list", args, positionals, name, code))
        return code;
    if (!positionals.empty())
        return UsageError("list", "unexpected argument \"" + positionals.front() + "\"");
    FoundDevice device;
    if (code = FindDevice(name, device); code != kExitOk)
        return code;
    std::vector<FolderRecordRow> records;
    if (!ReadFolderRecords(device, records))
        return kExitFailed;
    CString computer;
    platform::Use<platform::ISystemInfo>().GetComputerName(computer);
    CurrentRun().Fields().Set("device", Utf8(device.ipAddress)).Set("computer", Utf8(computer));
    CurrentRun().Fields().Set("folders", RecordsJson(records));
    if (!CurrentRun().Json())
        PrintTable(records);
    return kExitOk;
}

int RunRemove(const Arguments& args)
{
    std::vector<std::string> positionals = args.Positionals();
    DeviceName deviceName;
    int code = kExitOk;
    if (!NameOf("remove", args, positionals, deviceName, code))
        return code;
    if (positionals.empty())
        return UsageError("remove", "no folder name given");
    FoundDevice device;
    if (code = FindDevice(deviceName, device); code != kExitOk)
        return code;
    std::vector<FolderRecordRow> records;
    if (!ReadFolderRecords(device, records))
        return kExitFailed;
    CStringList names;
    for (const std::string& name : positionals) {
        bool held = std::any_of(records.begin(), records.end(),
                                [&name](const FolderRecordRow& record) { return record.name == name; });
        if (!held) {
            Error("the device holds no folder \"" + name + "\"; nothing was removed");
            return kExitFailed;
        }
        if (CString wanted = CString::FromUtf8(name); !names.Contains(wanted))
            names.AddTail(wanted); // the device deletes a record once however often it is named
    }
    Progress("removing " + std::to_string(names.GetCount()) + " folder record(s) from the device");
    int deleted = -1;
    if (DeleteFolderList(device.ipAddress, names, deleted) != BREDE_NO_ERROR) {
        if (deleted >= 0)
            Error("the device removed " + std::to_string(deleted) + " of " + std::to_string(names.GetCount())
                  + " folder record(s) (see the log)");
        else
            Error("the device did not remove the folder records (see the log)");
        return kExitFailed;
    }
    const bool computerSide = args.Has("--computer-side");
    const bool json = CurrentRun().Json();
    JsonArray removed;
    JsonArray computer;
    for (const CString& wanted : names) {
        const std::string name = Utf8(wanted);
        removed.Add(name);
        if (!json)
            std::cout << "removed " << Printable(name) << "\n";
        if (!computerSide)
            continue;
        auto record = std::find_if(records.begin(), records.end(),
                                   [&name](const FolderRecordRow& row) { return row.name == name; });
        Progress("taking " + record->path + " off this computer");
        std::vector<Brede_ComputerStep> steps;
        const bool failed = RemoveComputerSide(CString::FromUtf8(record->path), steps) != BREDE_NO_ERROR;
        if (failed)
            code = kExitFailed;
        computer.Add(JsonObject().Set("name", name).Set("steps", StepsJson(steps)));
        for (const Brede_ComputerStep& step : steps) {
            if (!json)
                std::cout << "  " << Printable(DescribeStep(step)) << "\n";
            if (failed && (step.outcome == BREDE_STEP_FAILED || step.outcome == BREDE_STEP_LEFT))
                Error(name + ": " + DescribeStep(step));
        }
    }
    std::cout << std::flush;
    JsonObject& fields = CurrentRun().Fields();
    fields.Set("device", Utf8(device.ipAddress)).Set("removed", removed);
    if (computerSide)
        fields.Set("computerSide", computer);
    return code;
}
