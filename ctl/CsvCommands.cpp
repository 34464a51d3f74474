// tarrowctl export DEVICE FILE.csv, tarrowctl import DEVICE FILE.csv: the device's folder records
// as an address book in a spreadsheet's format. Passwords are never written.
#include "ctl/Commands.h"
#include "ctl/Console.h"
#include "ctl/Csv.h"
#include "ctl/DeviceRegistration.h"
#include "ctl/ExitCodes.h"
#include "ctl/FolderRecords.h"
#include "ctl/NetworkPath.h"
#include "ctl/Password.h"
#include "ctl/RunResult.h"
#include "ctl/ScanOptionWords.h"

#include "frontend/FolderChecks.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"
#include "platform/shares/ShareName.h"

#include <algorithm>
#include <fstream>
#include <iostream>

namespace {

const std::vector<std::string> kHeader = {"name", "network path", "user", "format", "resolution", "color", "size"};

// The scan-option columns, after name, path and user, with the option each one sets.
constexpr const char* kOptionColumns[] = {"--format", "--resolution", "--color", "--size"};

// The device and the file of export and import: kExitOk with both, or the code to end with.
// Nothing is sent before the command line is known to be complete.
int DeviceAndFile(const char* command, const Arguments& args, DeviceName& name, std::string& file)
{
    std::vector<std::string> positionals = args.Positionals();
    std::string error;
    if (!DeviceFromArguments(args, positionals, name, error))
        return UsageError(command, error);
    if (positionals.size() != 1)
        return UsageError(command, "give one CSV file");
    file = positionals.front();
    return kExitOk;
}

struct ImportLine {
    int line;
    std::string name, host, share, user, domain;
    ScanOptions options = DefaultScanOptions();
};

// Text of at most a few hundred bytes without control characters (or bytes that are no UTF-8).
bool IsPlainText(const std::string& text)
{
    constexpr std::size_t kLongest = 256;
    return text.size() <= kLongest && Printable(text) == text;
}

bool ParseImportLine(const std::vector<std::string>& fields, const std::string& defaultDomain, ImportLine& line,
                     std::string& error)
{
    if (fields.size() < 2 || fields.size() > kHeader.size()) {
        error = "expected 2 to 7 columns: name, network path, user, format, resolution, color, size";
        return false;
    }
    line.name = fields[0];
    CString name = CString::FromUtf8(line.name);
    if (!platform::IsValidShareName(line.name) || !ValidateShareName(name) || name.ToUtf8() != line.name) {
        error = "\"" + Printable(line.name.substr(0, 100)) + (line.name.size() > 100 ? "..." : "") +
                "\" is not a folder name: it must be UTF-8 text of 1 to " +
                std::to_string(platform::kMaxShareNameLength) + " characters, without control characters, "
                "blanks at its end or any of " + Utf8(kRefusedNameCharacters) + "%";
        return false;
    }
    if (!SplitNetworkPath(fields[1], line.host, line.share) || !IsPlainText(line.host)) {
        error = "\"" + Printable(fields[1].substr(0, 200)) + "\" is not a network path \\\\HOST\\SHARE";
        return false;
    }
    if (line.name != line.share) {
        error = "the device names a folder after its share: name \"" + line.name + "\" is not share \"" +
                line.share + "\"";
        return false;
    }
    if (fields.size() > 2) {
        if (!IsPlainText(fields[2])) {
            error = "the user \"" + Printable(fields[2].substr(0, 100)) + "\" holds control characters";
            return false;
        }
        line.user = fields[2];
        line.domain = defaultDomain;
        if (std::size_t slash = line.user.find('\\'); slash != std::string::npos) {
            line.domain = line.user.substr(0, slash);
            line.user = line.user.substr(slash + 1);
        }
    }
    for (std::size_t column = 3; column < fields.size(); ++column)
        if (!fields[column].empty() && !SetScanOption(kOptionColumns[column - 3], fields[column], line.options, error))
            return false;
    return true;
}

// One line's outcome: on standard output as text, or in the document's "lines" with --json.
class LineReport {
public:
    // "line N: <text>" for a line that cannot be imported.
    void Refused(int line, const std::string& text)
    {
        m_lines.Add(JsonObject().Set("line", line).Set("result", "refused").Set("message", text));
        if (!CurrentRun().Json())
            std::cout << "line " << line << ": " << text << std::endl;
    }
    // "line N: NAME <words>" for a line sent or skipped; result is the word for --json.
    void Outcome(int line, const std::string& name, const char* result, const std::string& words)
    {
        m_lines.Add(JsonObject().Set("line", line).Set("name", name).Set("result", result));
        if (!CurrentRun().Json())
            std::cout << "line " << line << ": " << Printable(name) << " " << words << std::endl;
    }
    const JsonArray& Lines() const { return m_lines; }

private:
    JsonArray m_lines;
};

bool Register(const FoundDevice& device, const ImportLine& line, const std::string& password)
{
    const StoredAccount account{CString::FromUtf8(line.user), CString::FromUtf8(password), CString::FromUtf8(line.domain)};
    return RegisterFolder(device.ipAddress, CString::FromUtf8(line.host), CString::FromUtf8(line.share), line.options,
                          line.user.empty() ? nullptr : &account);
}

} // namespace

int RunExport(const Arguments& args)
{
    DeviceName name;
    std::string file;
    FoundDevice device;
    if (int code = DeviceAndFile("export", args, name, file); code != kExitOk)
        return code;
    if (int code = FindDevice(name, device); code != kExitOk)
        return code;
    std::vector<FolderRecordRow> records;
    if (!ReadFolderRecords(device, records))
        return kExitFailed;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << CsvLine(kHeader);
    for (const FolderRecordRow& record : records)
        out << CsvLine({record.name, record.path, record.user, FileFormatWord(record.format),
                        ResolutionWord(record.resolution), ColorWord(record.color), FileSizeWord(record.size)});
    out.close();
    if (!out) {
        Error("could not write " + file);
        return kExitFailed;
    }
    CurrentRun().Fields().Set("device", Utf8(device.ipAddress)).Set("file", file).Set("records", records.size());
    if (!CurrentRun().Json())
        std::cout << "exported " << records.size() << " folder record(s) to " << file << std::endl;
    return kExitOk;
}

int RunImport(const Arguments& args)
{
    DeviceName name;
    std::string file;
    FoundDevice device;
    if (int code = DeviceAndFile("import", args, name, file); code != kExitOk)
        return code;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return UsageError("import", "cannot read " + file);
    if (int code = FindDevice(name, device); code != kExitOk)
        return code;

    CString computerName;
    platform::Use<platform::ISystemInfo>().GetComputerName(computerName);
    const std::string defaultDomain = args.Value("--domain").value_or(Utf8(computerName));

    // Every line is checked before anything is sent: a file with a bad line is refused whole.
    std::vector<ImportLine> lines;
    std::vector<std::string> fields;
    std::string error;
    int bad = 0;
    LineReport report;
    CurrentRun().Fields().Set("device", Utf8(device.ipAddress)).Set("file", file);
    for (int number = 1; ReadCsvRecord(in, fields, error); ++number) {
        if (number == 1 && !fields.empty() && fields[0] == kHeader[0])
            continue;
        if (fields.size() == 1 && fields[0].empty())
            continue; // a blank line
        ImportLine line{number, {}, {}, {}, {}, {}};
        if (!ParseImportLine(fields, defaultDomain, line, error)) {
            report.Refused(number, error);
            ++bad;
            continue;
        }
        for (const ImportLine& earlier : lines)
            if (platform::SameShareName(earlier.name, line.name)) {
                report.Refused(number, "the name " + Printable(line.name) + " is on line " + std::to_string(earlier.line) +
                                           " already");
                ++bad;
            }
        lines.push_back(line);
    }
    CurrentRun().Fields().Set("lines", report.Lines());
    if (!error.empty()) {
        Error(file + ": " + error + "; nothing was imported");
        return kExitFailed;
    }
    if (bad) {
        Error(file + ": " + std::to_string(bad) + " line(s) above cannot be imported; nothing was imported");
        return kExitFailed;
    }

    // What the device holds already is left as it is, so that the import can be run again.
    std::vector<FolderRecordRow> held;
    if (!ReadFolderRecords(device, held))
        return kExitFailed;
    std::string password;
    bool anyUser = false;
    for (const ImportLine& line : lines)
        anyUser = anyUser || !line.user.empty();
    if (anyUser && !GetPassword(args.Has("--password-stdin"), "Password of the imported accounts: ", password, error))
        return UsageError("import", error);

    std::size_t registered = 0, skipped = 0, failed = 0;
    for (const ImportLine& line : lines) {
        const bool onDevice = std::any_of(held.begin(), held.end(), [&line](const FolderRecordRow& record) {
            return platform::SameShareName(record.name, line.name);
        });
        if (onDevice) {
            report.Outcome(line.line, line.name, "skipped", "is on the device already, skipped");
            ++skipped;
            continue;
        }
        Progress("registering " + line.name + " (\\\\" + line.host + "\\" + line.share + ")");
        if (Register(device, line, password)) {
            report.Outcome(line.line, line.name, "registered", "registered");
            ++registered;
        } else {
            report.Outcome(line.line, line.name, "failed", "failed (see the log)");
            ++failed;
        }
    }
    CurrentRun().Fields().Set("lines", report.Lines());
    CurrentRun().Fields().Set("registered", registered).Set("skipped", skipped).Set("failed", failed);
    if (failed)
        CurrentRun().SetFailure(std::to_string(failed) + " line(s) were not registered by the device (see the log)");
    if (!CurrentRun().Json())
        std::cout << registered << " registered, " << skipped << " skipped, " << failed << " not" << std::endl;
    return failed ? kExitFailed : kExitOk;
}
