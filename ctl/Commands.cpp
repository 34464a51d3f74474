#include "ctl/Commands.h"

#include "ctl/OptionSpecs.h"

#include "common/log/LogStream.h"
#include "platform/core/Paths.h"

#include <optional>

namespace {

constexpr OptionSpec kCheckOptions[] = {kHostOption, kMacOption, kJsonOption, kHelpOption};
constexpr OptionSpec kAddOptions[] = {
    kHostOption,   kMacOption,       kNameOption,          kLocationOption,      kShortcutOption,
    kUserOption,   kDomainOption,    kAskAtDeviceOption,   kPasswordStdinOption, kFormatOption,
    kResolutionOption, kColorOption, kSizeOption,          kIfAbsentOption,      kJsonOption,
    kHelpOption,
};
constexpr OptionSpec kListOptions[] = {kHostOption, kMacOption, kJsonOption, kHelpOption};
constexpr OptionSpec kRemoveOptions[] = {kHostOption, kMacOption, kComputerSideOption, kJsonOption, kHelpOption};
constexpr OptionSpec kExportOptions[] = {kHostOption, kMacOption, kJsonOption, kHelpOption};
constexpr OptionSpec kImportOptions[] = {kHostOption,          kMacOption,  kDomainOption,
                                         kPasswordStdinOption, kJsonOption, kHelpOption};
constexpr OptionSpec kDoctorOptions[] = {kHostOption, kMacOption,   kUserOption, kShareOption,         kSmb1Option,
                                         kNtlmV1Option, kFixOption, kYesOption, kJsonOption, kPasswordStdinOption,
                                         kHelpOption};
constexpr OptionSpec kSearchOptions[] = {kJsonOption, kScopeOption, kHelpOption};

constexpr Command kCommands[] = {
    {"search", "search [--scope CIDR]", "find the printers on the network",
     "Searches the network as the wizard's search does: over SNMP and, through avahi-daemon, over\n"
     "DNS-SD, which finds printers that have SNMP switched off. Lists each device with its address,\n"
     "model, MAC address (\"-\" when only DNS-SD answered, which names none) and how it was found.\n"
     "Exit code 3 when no device was found.\n\n"
     "With --json: \"devices\": [{\"address\", \"model\", \"mac\" (\"\" when only DNS-SD answered), \"hostName\",\n"
     "\"foundBy\": [\"snmp\", \"dns-sd\"]}].",
     kSearchOptions, RunSearch},
    {"check", "check DEVICE", "is the device there, which model, can it scan to a folder",
     "Looks for the device as the wizard's check does (over SNMP, and over DNS-SD when SNMP is silent)\n"
     "and asks whether it can scan to a folder. Exit code 3 when it does not answer, 4 when it cannot\n"
     "be used.\n\n"
     "With --json: \"device\" (as given), \"reachable\"; for a device that answered also \"ipAddress\",\n"
     "\"model\", \"features\" (the device's answer as a number), \"featuresText\" (its word: supported,\n"
     "unsupported, firmware, blocked, password-protected, unknown), \"featuresDetail\", \"usable\".",
     kCheckOptions, RunCheck},
    {"add", "add DEVICE [OPTIONS]", "set up a scan folder on this computer and register it on the device",
     "Makes the folder, gives the account full rights on it, shares it with Samba for that account\n"
     "alone, optionally links it on the desktop, and registers it on the device with the scan\n"
     "options. The account's password is checked against this computer's Samba server first.\n"
     "With --if-absent (and --name), what is in place already is left as it is: a record of that\n"
     "name on the device that writes to this computer's share of the name (\\\\COMPUTER\\NAME) as the\n"
     "same account, with the share and its folder in place here, changes nothing (exit code 0), so\n"
     "that add can run again; a share of the name that serves the folder for the account (set up\n"
     "for another device) is registered on this device as it is. The scan options and the stored\n"
     "password of a record in place stay as they are. A record of that name that writes elsewhere\n"
     "or as another account is an error, never overwritten; so is a share of the name that serves\n"
     "another folder or does not admit the account.\n\n"
     "With --json: \"changed\" (whether anything was made, here or on the device; true also when a\n"
     "later step failed), \"result\" (\"added\"; \"registered\": the device's record alone, the\n"
     "share was in place; \"unchanged\"), \"name\", \"folder\", \"share\"\n"
     "(\\\\COMPUTER\\NAME), \"device\" (its IP address), \"user\" (\"\" when the device asks at each scan).",
     kAddOptions, RunAdd},
    {"list", "list DEVICE", "the device's scan folders with their network paths and users",
     "Reads the device's folder records.\n\n"
     "With --json: \"device\" (its IP address), \"computer\" (this computer's name, as the records of its\n"
     "shares name it), \"folders\": [{\"name\", \"path\", \"user\", \"format\", \"resolution\", \"color\",\n"
     "\"size\"}], the scan options in the words that add takes.",
     kListOptions, RunList},
    {"remove", "remove DEVICE NAME...", "remove folder records from the device",
     "Removes the named folder records from the device in one request. Names the device does not\n"
     "hold are refused and nothing is removed. The folders and shares on this computer stay,\n"
     "unless --computer-side: then, for each record whose network path names a share of yours on\n"
     "this computer, the share, the account's access to the folder, the search rights the set-up\n"
     "gave the folders above (unless another of your shares needs them) and the desktop link are\n"
     "removed, each step printed. The folder and the scans in it are kept. Shares of other\n"
     "accounts are never touched (exit code 1).\n\n"
     "With --json: \"device\" (its IP address), \"removed\": [the names removed from the device], and\n"
     "with --computer-side \"computerSide\": [{\"name\", \"steps\": [{\"step\", \"outcome\", \"subject\",\n"
     "\"detail\"}]}] (step: share, link, parent-right, folder-rights, folder; outcome: removed, kept,\n"
     "left, failed).",
     kRemoveOptions, RunRemove},
    {"export", "export DEVICE FILE.csv", "write the device's folder records to a CSV file",
     "Columns: name, network path, user, format, resolution, color, size. Passwords are never\n"
     "written.\n\n"
     "With --json: \"device\" (its IP address), \"file\", \"records\" (how many were written).",
     kExportOptions, RunExport},
    {"import", "import DEVICE FILE.csv", "register the records of a CSV file on the device",
     "Reads the columns that export writes and registers each line on the device, reporting each.\n"
     "Lines with a user store that account on the device with the one password read once (from\n"
     "standard input with --password-stdin, else asked for); lines without one make the device ask\n"
     "at each scan.\n\n"
     "With --json: \"device\" (its IP address), \"file\", \"lines\": [{\"line\", \"name\", \"result\":\n"
     "\"registered\", \"skipped\" or \"failed\"}, or {\"line\", \"result\": \"refused\", \"message\"} for a line\n"
     "that cannot be imported], \"registered\", \"skipped\", \"failed\" (how many).",
     kImportOptions, RunImport},
    {"doctor", "doctor [DEVICE] [--fix [--yes]]", "check this computer for what stops scans from arriving",
     "Checks Samba, its server, the account's Samba password, the computer's name, the protocol\n"
     "settings a device needs, the shares, the folders' rights and the firewall; each problem with\n"
     "the command that mends it. With a DEVICE, the shares its records name on this computer are\n"
     "checked, with the records themselves, and with the account's password (--password-stdin) the\n"
     "device checks that it reaches the share (doctor reports the device's answer); --share checks\n"
     "one share. Run by an account other than root, the checks that need root are skipped (with\n"
     "--password-stdin, Samba's logon of the account tells whether it has a Samba password).\n"
     "With --fix, the problems that need root are mended after one question (--yes: none): group\n"
     "sambashare for the account that makes the shares, the account's Samba password (the one on\n"
     "standard input), starting smbd and nmbd, the smb.conf settings for a device of SMB1 or NTLMv1\n"
     "(--smb1, --ntlmv1: a marked block in [global], checked with testparm), and the firewall's\n"
     "port 445 for the DEVICE's address alone. An account other than root authenticates once\n"
     "through pkexec (/usr/libexec/tarrow/tarrow-fix-helper); root is asked nothing more, and\n"
     "--user then names the account to mend. The checks then run again. Exit code 1 when a\n"
     "problem was found (after --fix: when one is left).\n\n"
     "With --json: \"checks\": [{\"check\", \"share\" (\"\" for the computer's own checks), \"status\" (\"ok\",\n"
     "\"problem\" or \"skipped\"), \"detail\", \"fix\" (the command that mends a problem)}], after --fix\n"
     "those of the checks run again.",
     kDoctorOptions, RunDoctor},
};

constexpr const char* kProgramHelpTail =
    "\nDEVICE is the device's IP address; --host NAME or --mac MAC name it otherwise.\n"
    "Passwords are never taken from the command line: --password-stdin reads one line from\n"
    "standard input, else tarrowctl asks on the terminal without echo.\n"
    "Progress goes to standard error, results to standard output; everything is also written to\n"
    "the log that the wizard writes: ";
// ... its path on this system, then:
constexpr const char* kProgramHelpLogPlaces =
    ",\nTarrow.log in $TARROW_DRIVE_C when set, else in $XDG_STATE_HOME/tarrow/C or\n"
    "~/.local/state/tarrow/C.\n";
constexpr const char* kProgramHelpJson =
    "\nWith --json, which every command takes, the result is one JSON document on standard output,\n"
    "and nothing else is printed there:\n"
    "  success  {\"ok\": true, FIELDS...}\n"
    "  failure  {\"ok\": false, FIELDS..., \"error\": {\"code\": WORD, \"exitCode\": N, \"message\": TEXT}}\n"
    "FIELDS are the command's own (each command's help names them; after a failure, those known by\n"
    "then). WORD is the exit status's word (below) and TEXT the errors said on standard error. A\n"
    "command line that is not understood gives the document too, when it holds --json. Texts are\n"
    "UTF-8: what a device sends that is no UTF-8 arrives as U+FFFD, control characters escaped.\n"
    "Progress still goes to standard error.\n";
constexpr const char* kProgramHelpExitStatus =
    "\nExit status (and its word in --json documents):\n"
    "  0  ok             every step succeeded\n"
    "  1  failed         a step failed\n"
    "  2  usage          the command line was not understood\n"
    "  3  unreachable    the device did not answer (search: no device was found)\n"
    "  4  unsupported    the device cannot scan to a folder set up this way\n"
    "  5  logon-refused  this computer refused the account's user name or password\n";

} // namespace

std::span<const Command> Commands()
{
    return kCommands;
}

std::string ProgramHelp()
{
    std::string text = "Usage: tarrowctl COMMAND [ARGUMENTS]\n"
                       "Sets up scanning from a network printer into a shared folder on this computer.\n"
                       "\nCommands:\n";
    for (const Command& command : kCommands) {
        std::string synopsis = command.synopsis;
        synopsis.resize(std::max<std::size_t>(synopsis.size(), 24), ' ');
        text += "  " + synopsis + "  " + command.summary + "\n";
    }
    text += "\n'tarrowctl COMMAND --help' tells more of each.\n";
    const std::optional<std::string> log = platform::ToPosixPath(kLogFilePath);
    return text + kProgramHelpTail + (log ? *log : std::string("(no folder for it)")) + kProgramHelpLogPlaces +
           kProgramHelpJson + kProgramHelpExitStatus;
}

std::string CommandHelp(const Command& command)
{
    std::string text = std::string("Usage: tarrowctl ") + command.synopsis + "\n\n" + command.description + "\n\nOptions:\n";
    for (const OptionSpec& option : command.options) {
        std::string name = option.name;
        if (option.argument)
            name += std::string(" ") + option.argument;
        name.resize(std::max<std::size_t>(name.size(), 20), ' ');
        text += "  " + name + "  " + option.help + "\n";
    }
    return text;
}
