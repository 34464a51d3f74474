// The exported functions: each forwards to the library's single CSharedFolder object.
#include "Quillet_Library.h"

#include "service/CSharedFolder.h"

Brede_SupportedFeatures GetSupportedFeatures(CString modelName, CString ipAddress, int queryDevice)
{
    return cSharedFolder.GetSupportedFeatures(modelName, ipAddress, queryDevice);
}

BOOL GenerateUniqueFolderName(CString ipAddress, CString baseDirectory, CString modelName, CString& uniqueName)
{
    return cSharedFolder.GenerateUniqueFolderName(ipAddress, baseDirectory, modelName, uniqueName);
}

BOOL IsFolderNameUnique(CString ipAddress, CString baseDirectory, CString folderName)
{
    return cSharedFolder.IsFolderNameUnique(ipAddress, baseDirectory, folderName);
}

Brede_ErrorCode ConfigureComputer(CString baseDirectory, CString folderName, int createShortcut, CString userName)
{
    return cSharedFolder.ConfigureComputer(baseDirectory, folderName, createShortcut, userName);
}

Brede_ErrorCode ConfigureDevice(CString MfpIPAddress, CString ShareHostName, CString ShareName,
                                Brede_FileFormat fileFormat, Brede_ImageResolution resolution,
                                Brede_ColorSetting colorSetting, Brede_FileSize fileSize)
{
    return cSharedFolder.ConfigureDevice(MfpIPAddress, ShareHostName, ShareName, fileFormat, resolution,
                                         colorSetting, fileSize);
}

Brede_ErrorCode ConfigureDevice(CString UserName, CString Password, CString NtDomain, CString MfpIPAddress,
                                CString ShareHostName, CString ShareName, Brede_FileFormat fileFormat,
                                Brede_ImageResolution resolution, Brede_ColorSetting colorSetting,
                                Brede_FileSize fileSize)
{
    return cSharedFolder.ConfigureDevice(UserName, Password, NtDomain, MfpIPAddress, ShareHostName, ShareName,
                                         fileFormat, resolution, colorSetting, fileSize);
}

Brede_ErrorCode DeleteFolderAlias(CString ipAddress, CString folderName)
{
    return cSharedFolder.DeleteFolderAlias(ipAddress, folderName);
}

Brede_ErrorCode DeleteFolderList(CString ipAddress, CStringList& folderNames)
{
    return cSharedFolder.DeleteFolderList(ipAddress, folderNames);
}

BOOL GetFolderNamesOnDevice(CString ipAddress, CString& names)
{
    return cSharedFolder.GetFolderNamesOnDevice(ipAddress, names);
}

CStringList* GetPrinterFolderList(Brede_PrinterFolderListType listType)
{
    return cSharedFolder.GetPrinterFolderList(listType);
}

CString TestFunction(int selector, CString ipAddress, CString& text)
{
    return cSharedFolder.TestFunction(selector, ipAddress, text);
}

CQuillet_Library& CQuillet_Library::operator=(const CQuillet_Library&)
{
    return *this;
}
