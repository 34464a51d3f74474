#include "wizard/DeviceFolderList.h"

#include "common/log/LogEscape.h"
#include "common/log/ProgramLog.h"
#include "common/text/JavaScriptString.h"
#include "common/text/UnicodeTextFile.h"
#include "library/Quillet_Library.h"
#include "platform/core/Services.h"
#include "platform/core/SystemInfo.h"

#include <string_view>
#include <utility>

namespace {

// The library's list of this type; empty when no listing has found a folder yet.
const CStringList& DeviceList(Brede_PrinterFolderListType type)
{
    static const CStringList kEmpty;
    const CStringList* list = GetPrinterFolderList(type);
    return list ? *list : kEmpty;
}

CString DoubledBackslashes(const CString& text)
{
    CString doubled = text;
    doubled.Replace(u"\\", u"\\\\");
    return doubled;
}

// name[index]= "value";
CString Entry(const char16_t* name, int index, const CString& value)
{
    return CString(name) + u"[" + IntToCString(index) + u"]= \"" + EscapeJavaScriptString(value) + u"\";\n";
}

// The three array declarations of one block.
CString Declarations(const char16_t* prefix, int count)
{
    CString lines;
    for (const char16_t* array : {u"FolderName", u"NetPath", u"UserName"})
        lines += u"var asz" + CString(prefix) + array + u"= new Array(" + IntToCString(count) + u");\n";
    return lines;
}

// Commas counted from the start; a comma in the first place ends the count uncounted.
int CommaCount(const CString& names)
{
    int count = 0;
    for (int at = names.Find(u','); at > 0; at = names.Find(u',', at + 1))
        ++count;
    return count;
}

} // namespace

CString DeviceFolderListPath()
{
    CString folder = platform::Use<platform::ISystemInfo>().GetRunFolder();
    return folder.IsEmpty() ? CString() : folder + u"/js/DeviceFolderList.js";
}

int WriteFolderNamesFile(const CString& ipAddress)
{
    CLogStream& log = ProgramLog();
    log.Line(u"WriteFolderNamesFile(): Calling GetFolderNamesOnDevice( ," + EscapeForLog(ipAddress) + u")");
    CString names;
    GetFolderNamesOnDevice(ipAddress, names);
    const int count = CommaCount(names);

    const CString path = DeviceFolderListPath();
    if (path.IsEmpty()) {
        log.Line(u"WriteFolderNamesFile(): ERROR: Couldn't get module name.");
        return 0;
    }
    CUnicodeTextFile file;
    if (!file.Open(path)) {
        log.Line(u"WriteFolderNamesFile() ERROR: Couldn't open " + path + u" for writing.");
        return 0;
    }
    log.Line(u"WriteFolderNamesFile(): Writing " + path);
    file.Write(u"var wNumFolders=" + IntToCString(count) + u";\n");
    if (count > 0) {
        file.Write(Declarations(u"", count));
        WriteNamesToFile(file, count);
    }
    log.Line(u"WriteFolderNamesFile(): Call fclose().");
    file.Close();
    return 1;
}

int WriteNamesToFile(CUnicodeTextFile& file, int count)
{
    CLogStream& log = ProgramLog();
    const CStringList& names = DeviceList(BREDE_LIST_FOLDER_NAMES);
    const CStringList& paths = DeviceList(BREDE_LIST_FOLDER_PATHS);
    const CStringList& users = DeviceList(BREDE_LIST_USER_NAMES);
    int index = 0;
    for (const CString& name : names) {
        log.Line(u"WriteNamesToFile(): Adding " + EscapeForLog(name) + u" to Javascript file.");
        file.Write(Entry(u"aszFolderName", index++, name));
    }
    index = 0;
    for (const CString& path : paths) {
        log.Line(u"WriteNamesToFile(): Adding netpath " + EscapeForLog(DoubledBackslashes(path)) + u" to Javascript file.");
        file.Write(Entry(u"aszNetPath", index++, path));
    }
    index = 0;
    for (const CString& user : users) {
        log.Line(u"WriteNamesToFile(): Adding username " + EscapeForLog(user) + u" to Javascript file.");
        file.Write(Entry(u"aszUserName", index++, user));
    }
    if (count != names.GetCount())
        log.Line(u"WriteNamesToFile(): ERROR: Number of folders " + IntToCString(count) +
                 u" is not the same as number of FolderNames " + IntToCString(names.GetCount()) +
                 u", number of NetPaths " + IntToCString(paths.GetCount()) + u" or number of UserNames" +
                 IntToCString(users.GetCount()));
    return names.GetCount();
}

CString UnescapedFolderName(const CString& item)
{
    std::u16string_view text(item.str());
    std::u16string name;
    name.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::u16string_view rest = text.substr(at);
        if (rest.starts_with(u"%25")) {
            name += u'%';
            at += 2;
        } else if (rest.starts_with(u"%2C") || rest.starts_with(u"%2c")) {
            name += u',';
            at += 2;
        } else {
            name += text[at]; // any other character, a lone % included, stands for itself
        }
    }
    return CString(std::move(name));
}

CStringList ParseCheckedFolders(const CString& text, const CString& logPrefix, bool& tooMany)
{
    CLogStream& log = ProgramLog();
    CStringList folders;
    tooMany = false;
    log.Line(logPrefix + u"Begin");
    int previous = -1;
    int start = 0;
    for (int passes = 0;;) {
        log.Line(logPrefix + u"Looking for |,| starting at character " + IntToCString(start));
        int comma = start > text.GetLength() ? -1 : text.Find(u',', start);
        if (comma <= 0)
            break;
        CString item = UnescapedFolderName(text.Mid(previous + 1, comma - previous - 1));
        if (!item.IsEmpty()) {
            log.Line(logPrefix + u"Adding " + EscapeForLog(item) + u" to list to delete.");
            folders.AddTail(item);
        }
        previous = comma;
        start = comma + 1;
        if (++passes >= kMaxCheckedPasses) {
            tooMany = true;
            break;
        }
    }
    return folders;
}

int AppendCheckedFolders(const CString& foldersChecked)
{
    CLogStream& log = ProgramLog();
    bool tooMany = false;
    const CStringList checked = ParseCheckedFolders(foldersChecked, u"CSelectOpDlg::AppendJavaScript(): ", tooMany);
    if (tooMany)
        log.Line(u"CSelectOpDlg::AppendJavaScript(): ERROR: Found too many checked folders.");
    const CStringList& names = DeviceList(BREDE_LIST_FOLDER_NAMES);
    const CStringList& paths = DeviceList(BREDE_LIST_FOLDER_PATHS);
    const CStringList& users = DeviceList(BREDE_LIST_USER_NAMES);

    const CString path = DeviceFolderListPath();
    if (path.IsEmpty()) {
        log.Line(u"AppendJavaScript(): ERROR: Couldn't get module name.");
        return 0;
    }
    log.Line(u"AppendJavaScript(): Appending file " + path);
    CUnicodeTextFile file;
    if (!file.OpenForAppend(path)) {
        log.Line(u"AppendJavaScript() ERROR: Couldn't open " + path + u" for appending.");
        return 0;
    }
    const int count = checked.GetCount();
    file.Write(u"var wNumCheckedFolders=" + IntToCString(count) + u";\n");
    if (count > 0)
        file.Write(Declarations(u"Checked", count));
    int index = 0;
    for (const CString& name : checked) {
        CString netPath = u"Not found";
        CString user = u"Not found";
        int position = 0;
        for (const CString& listed : names) {
            if (listed == name) {
                netPath = position < paths.GetCount() ? paths.GetAt(position) : CString();
                user = position < users.GetCount() ? users.GetAt(position) : CString();
                break;
            }
            ++position;
        }
        log.Line(u"AppendJavaScript(): Adding " + EscapeForLog(name) + u" to JavaScript file.");
        log.Line(u"AppendJavaScript(): Adding " + EscapeForLog(DoubledBackslashes(netPath)) + u" to JavaScript file.");
        log.Line(u"AppendJavaScript(): Adding " + EscapeForLog(user) + u" to JavaScript file.");
        file.Write(Entry(u"aszCheckedFolderName", index, name));
        file.Write(Entry(u"aszCheckedNetPath", index, netPath));
        file.Write(Entry(u"aszCheckedUserName", index, user));
        ++index;
    }
    log.Line(u"AppendJavaScript(): Call fclose().");
    file.Close();
    return 1;
}
