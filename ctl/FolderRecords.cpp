#include "ctl/FolderRecords.h"

#include "ctl/Console.h"

#include "library/Quillet_Library.h"

namespace {

struct ColumnRow {
    Brede_PrinterFolderListType list;
    std::string FolderRecordRow::*field;
};

constexpr ColumnRow kColumns[] = {
    {BREDE_LIST_FOLDER_NAMES, &FolderRecordRow::name},
    {BREDE_LIST_FOLDER_PATHS, &FolderRecordRow::path},
    {BREDE_LIST_USER_NAMES, &FolderRecordRow::user},
    {BREDE_LIST_FILE_FORMATS, &FolderRecordRow::format},
    {BREDE_LIST_RESOLUTIONS, &FolderRecordRow::resolution},
    {BREDE_LIST_COLOR_SETTINGS, &FolderRecordRow::color},
    {BREDE_LIST_FILE_SIZES, &FolderRecordRow::size},
};

} // namespace

bool ReadFolderRecords(const FoundDevice& device, std::vector<FolderRecordRow>& records)
{
    Progress("reading the device's folder list");
    records.clear();
    if (!ReadPrinterFolders(device.ipAddress)) {
        Error("could not read the device's folder list (see the log)");
        return false;
    }
    const CStringList* names = GetPrinterFolderList(BREDE_LIST_FOLDER_NAMES);
    if (!names)
        return true; // no folder was ever listed: the device has none
    records.resize(static_cast<std::size_t>(names->GetCount()));
    for (const ColumnRow& column : kColumns) {
        std::size_t row = 0;
        for (const CString& text : *GetPrinterFolderList(column.list)) {
            if (row < records.size())
                records[row].*column.field = Utf8(text);
            ++row;
        }
    }
    return true;
}
