// What a set-up changed on this computer, one record per share in the user's state folder
// (platform::PrivateStateFolder("shares")), so that undoing a failed set-up, finishing one that
// was stopped part-way and removing one later all know what was made instead of guessing.
//
// Each change is noted before it is made: a set-up killed at any point leaves a record that
// names at least what it changed (undoing a change that was never made does nothing). The file
// holds names and paths only, never a password; it is replaced in one step (mode 0600).
#pragma once

#include "platform/core/CString.h"
#include "platform/security/DirectoryRights.h"

#include <string>
#include <vector>


struct SetupRecord {
    CString share;    // the share's name as set up
    CString folder;   // the folder's POSIX path
    CString account;  // the account that was given the folder and the share
    long long uid = -1;         // the account's uid, once it was looked up
    std::string process;        // the process that runs the set-up (platform/core/ProcessStamp.h)
    bool registered = false;    // the device took the record: the set-up is finished
    bool folderMade = false;    // the set-up made the folder
    bool folderEntries = false; // the account's entries on the folder
    bool shareMade = false;     // the set-up made the share
    std::vector<platform::ParentChange> parents; // the folders above that got the account's search right
    CString link, linkTarget, linkName; // the desktop link, when one was made
};

// The file of the share's record; empty when the user has no state folder of the programs.
std::string SetupRecordPath(const CString& share);

// True with the share's record when there is one that can be read.
bool LoadSetupRecord(const CString& share, SetupRecord& record);

// Writes the record; 0 or the errno value.
int SaveSetupRecord(const SetupRecord& record);

// Removes the share's record; nothing when there is none.
void DeleteSetupRecord(const CString& share);

// Every record of the user.
std::vector<SetupRecord> AllSetupRecords();

// The record as text and back; Parse is false for text that is no record.
std::string SetupRecordText(const SetupRecord& record);
bool ParseSetupRecord(const std::string& text, SetupRecord& record);
