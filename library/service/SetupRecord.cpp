#include "SetupRecord.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/Paths.h"
#include "platform/shares/ShareName.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* kFolderName = "shares";
constexpr const char* kFileEnding = ".share";
constexpr const char* kFirstLine = "tarrow-setup 1";
constexpr mode_t kRecordMode = 0600;

// A value on one line: "\" and line breaks written as "\\" and "\n".
std::string OneLine(const CString& value)
{
    std::string text;
    for (char ch : value.ToUtf8()) {
        if (ch == '\\')
            text += "\\\\";
        else if (ch == '\n')
            text += "\\n";
        else
            text += ch;
    }
    return text;
}

CString FromOneLine(const std::string& text)
{
    std::string value;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\\' && at + 1 < text.size()) {
            ++at;
            value += text[at] == 'n' ? '\n' : text[at];
        } else {
            value += text[at];
        }
    }
    return CString::FromUtf8(value);
}

std::string Flag(bool on)
{
    return on ? "1" : "0";
}

} // namespace

std::string SetupRecordPath(const CString& share)
{
    const std::string folder = platform::PrivateStateFolder(kFolderName);
    if (folder.empty())
        return {};
    return folder + "/" + platform::ShareNameKey(share.ToUtf8()) + kFileEnding;
}

std::string SetupRecordText(const SetupRecord& record)
{
    std::string text = std::string(kFirstLine) + "\n";
    text += "share=" + OneLine(record.share) + "\n";
    text += "folder=" + OneLine(record.folder) + "\n";
    text += "account=" + OneLine(record.account) + "\n";
    text += "uid=" + std::to_string(record.uid) + "\n";
    text += "process=" + record.process + "\n";
    text += "registered=" + Flag(record.registered) + "\n";
    text += "folder-made=" + Flag(record.folderMade) + "\n";
    text += "folder-entries=" + Flag(record.folderEntries) + "\n";
    text += "share-made=" + Flag(record.shareMade) + "\n";
    for (const platform::ParentChange& parent : record.parents)
        text += "parent=" + Flag(parent.madeEntry) + Flag(parent.maskGained) + " " + OneLine(parent.path) + "\n";
    if (!record.link.IsEmpty()) {
        text += "link=" + OneLine(record.link) + "\n";
        text += "link-target=" + OneLine(record.linkTarget) + "\n";
        text += "link-name=" + OneLine(record.linkName) + "\n";
    }
    return text;
}

bool ParseSetupRecord(const std::string& text, SetupRecord& record)
{
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kFirstLine)
        return false;
    record = {};
    while (std::getline(in, line)) {
        const std::size_t at = line.find('=');
        if (at == std::string::npos)
            return false;
        const std::string key = line.substr(0, at), value = line.substr(at + 1);
        if (key == "share")
            record.share = FromOneLine(value);
        else if (key == "folder")
            record.folder = FromOneLine(value);
        else if (key == "account")
            record.account = FromOneLine(value);
        else if (key == "uid")
            record.uid = value.size() <= 10 && value.find_first_not_of("0123456789") == std::string::npos && !value.empty()
                             ? std::stoll(value)
                             : -1;
        else if (key == "process")
            record.process = value;
        else if (key == "registered")
            record.registered = value == "1";
        else if (key == "folder-made")
            record.folderMade = value == "1";
        else if (key == "folder-entries")
            record.folderEntries = value == "1";
        else if (key == "share-made")
            record.shareMade = value == "1";
        else if (key == "parent" && value.size() > 3 && value[2] == ' ')
            record.parents.push_back({FromOneLine(value.substr(3)), 0, value[0] == '1', value[1] == '1'});
        else if (key == "link")
            record.link = FromOneLine(value);
        else if (key == "link-target")
            record.linkTarget = FromOneLine(value);
        else if (key == "link-name")
            record.linkName = FromOneLine(value);
    }
    return !record.share.IsEmpty() && !record.folder.IsEmpty();
}

bool LoadSetupRecord(const CString& share, SetupRecord& record)
{
    const std::string path = SetupRecordPath(share);
    std::ifstream file(path, std::ios::binary);
    if (path.empty() || !file)
        return false;
    std::stringstream text;
    text << file.rdbuf();
    return ParseSetupRecord(text.str(), record);
}

int SaveSetupRecord(const SetupRecord& record)
{
    const std::string path = SetupRecordPath(record.share);
    if (path.empty())
        return ENOTDIR;
    return platform::WriteFileAtomically(path, SetupRecordText(record), kRecordMode);
}

void DeleteSetupRecord(const CString& share)
{
    if (const std::string path = SetupRecordPath(share); !path.empty())
        std::remove(path.c_str());
}

std::vector<SetupRecord> AllSetupRecords()
{
    std::vector<SetupRecord> records;
    const std::string folder = platform::PrivateStateFolder(kFolderName);
    DIR* dir = folder.empty() ? nullptr : opendir(folder.c_str());
    if (!dir)
        return records;
    const std::string ending = kFileEnding;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() <= ending.size() || name.compare(name.size() - ending.size(), ending.size(), ending) != 0)
            continue;
        std::ifstream file(folder + "/" + name, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        if (SetupRecord record; ParseSetupRecord(text.str(), record))
            records.push_back(record);
    }
    closedir(dir);
    return records;
}
