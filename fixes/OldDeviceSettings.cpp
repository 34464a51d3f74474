// The old-device block written into and taken out of smb.conf: the new text goes to a file beside
// it, testparm must read it back with the settings asked for, and only then does it take the old
// file's place; smbd then reloads it, and the old text comes back when it cannot.
#include "FixActions.h"
#include "FixPrograms.h"
#include "OldDeviceBlock.h"

#include "platform/core/WriteAll.h"
#include "platform/shares/SambaConfig.h"
#include "selfcheck/SambaParameter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fixes {

namespace {

// What testparm says of a setting it does not know; it still ends with status 0.
constexpr const char* kUnknownParameter = "Unknown parameter";

bool ReadWhole(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream whole;
    whole << in.rdbuf();
    text = whole.str();
    return static_cast<bool>(in) || in.eof();
}

// The text in a new file beside path, with path's owner and mode; its name, or empty.
std::string WriteBeside(const std::string& path, const std::string& text, std::string& error)
{
    struct stat old {};
    if (stat(path.c_str(), &old) != 0) {
        error = std::strerror(errno);
        return "";
    }
    const std::string next = path + ".tarrow-new";
    unlink(next.c_str());
    int fd = open(next.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = std::strerror(errno);
        return "";
    }
    bool written = platform::WriteAll(fd, text) && fchown(fd, old.st_uid, old.st_gid) == 0 &&
                   fchmod(fd, old.st_mode & 07777) == 0 && fsync(fd) == 0;
    if (!written)
        error = std::strerror(errno);
    if (close(fd) != 0 && written) {
        written = false;
        error = std::strerror(errno);
    }
    if (!written) {
        unlink(next.c_str());
        return "";
    }
    return next;
}

// testparm reads the file without a word against it, and finds each setting as asked.
bool Validates(const FixContext& context, const std::string& path,
               const std::vector<std::pair<std::string, std::string>>& expected, std::string& why)
{
    platform::ProgramResult whole =
        RunStep(context, {platform::kTestparmProgram, "-s", "--suppress-prompt", path}, kToolTimeout);
    if (!Succeeded(whole) || whole.output.find(kUnknownParameter) != std::string::npos) {
        why = "testparm refused it: " + WhatItSaid(whole);
        return false;
    }
    for (const auto& [name, value] : expected) {
        platform::ProgramResult one = RunStep(
            context, {platform::kTestparmProgram, "-s", "--suppress-prompt", "--parameter-name=" + name, path},
            kToolTimeout);
        std::string read = selfcheck::ParameterValueOf(one.output);
        if (!Succeeded(one) || read != value) {
            why = "testparm reads " + name + " = " + read + " from it, not " + value +
                  " (a later line of [global] may set it again)";
            return false;
        }
    }
    return true;
}

// Puts the text in the configuration's place once testparm accepts it, then has smbd reload;
// when smbd cannot, the old text comes back.
FixOutcome Replace(const FixContext& context, const std::string& oldText, const std::string& newText,
                   const std::vector<std::pair<std::string, std::string>>& expected, const std::string& done)
{
    const std::string& path = context.sambaConfig;
    std::string error;
    std::string next = WriteBeside(path, newText, error);
    if (next.empty())
        return Refused("could not write beside " + path + ": " + error + "; the file is unchanged");
    if (!Validates(context, next, expected, error)) {
        unlink(next.c_str());
        return Refused("the new " + path + " was not taken: " + error + "; the file is unchanged");
    }
    if (rename(next.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        unlink(next.c_str());
        return Refused("could not replace " + path + ": " + error + "; the file is unchanged");
    }
    Log(context, "wrote " + path);
    platform::ProgramResult reload =
        RunStep(context, {kSystemctlProgram, "try-reload-or-restart", "smbd"}, kServiceTimeout);
    if (Succeeded(reload))
        return Done(done);
    std::string back = WriteBeside(path, oldText, error);
    if (back.empty() || rename(back.c_str(), path.c_str()) != 0)
        return Refused("smbd could not reload " + path + " (" + WhatItSaid(reload) +
                       "), and its old text could not be put back: " + error);
    Log(context, "put the old text of " + path + " back");
    return Refused("smbd could not reload " + path + ": " + WhatItSaid(reload) + "; the file is as it was");
}

} // namespace

FixOutcome AllowOldDevice(const FixRequest& request, const FixContext& context)
{
    const std::string& path = context.sambaConfig;
    std::string text;
    if (!ReadWhole(path, text))
        return Refused("cannot read " + path + ": " + std::strerror(errno));
    std::string error;
    std::optional<std::string> next = WithOldDeviceBlock(text, request.smb1, request.ntlmv1, error);
    if (!next)
        return Refused(path + " was not changed: " + error);
    if (*next == text)
        return Unchanged(path + " lets the old device in already");
    std::vector<std::pair<std::string, std::string>> expected;
    if (request.smb1)
        expected.emplace_back("server min protocol", "NT1");
    if (request.ntlmv1)
        expected.emplace_back("ntlm auth", "ntlmv1-permitted");
    return Replace(context, text, *next, expected,
                   "added the settings for an old device to [global] of " + path + " (SMB1 and NTLMv1 are weak: "
                   "remove them when no such device is left)");
}

FixOutcome DisallowOldDevice(const FixContext& context)
{
    const std::string& path = context.sambaConfig;
    std::string text;
    if (!ReadWhole(path, text))
        return Refused("cannot read " + path + ": " + std::strerror(errno));
    std::string next = WithoutOldDeviceBlock(text);
    if (next == text)
        return Unchanged(path + " holds no settings for an old device");
    return Replace(context, text, next, {}, "removed the settings for an old device from " + path);
}

} // namespace fixes
