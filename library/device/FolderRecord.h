// One folder registration as the device receives it.
#pragma once

#include "library/Quillet_Library.h"

struct FolderRecord {
    CString UserName;
    CString Password;
    CString NtDomain;
    CString ShareHostName;
    CString ShareName;
    Brede_FileFormat FileFormat{};
    Brede_ImageResolution Resolution{};
    Brede_ColorSetting ColorSetting{};
    Brede_FileSize FileSize{};
    // 1 once the account is stored with the entry; 0: the device asks at each scan.
    int credentialsGiven = 0;

    void SetCredentials(const CString& userName, const CString& password, const CString& domain)
    {
        UserName = userName;
        Password = password;
        NtDomain = domain;
        credentialsGiven = 1;
    }

    void SetShare(const CString& hostName, const CString& shareName)
    {
        ShareHostName = hostName;
        ShareName = shareName;
    }
};
