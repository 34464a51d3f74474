// Rights of an account on directories, as POSIX ACL entries.
//
// The account's entry that the system grants on a scan folder (full access, inherited by the
// files made in it) becomes an entry rwx for the account in the folder's access ACL and in its
// default ACL. Windows lets an account reach a folder whatever the folders above it allow;
// Linux needs the search right (x) on each of them, which GrantSearchOnParents adds where missing.
#pragma once

#include "Accounts.h"
#include "platform/core/CString.h"

#include <functional>
#include <vector>

namespace platform {

// The three steps of changing an ACL, so that a failure can be told by where it happened.
enum class AclStep { Read, Build, Write };

struct AclResult {
    int error = 0;  // errno value; 0 on success
    AclStep step = AclStep::Read;
};

struct ParentChange {
    CString path;  // POSIX path of the parent folder
    int error = 0; // 0 when the entry was added, else the errno value
    bool madeEntry = false;  // the account got an entry of its own (else x went into one it had)
    bool maskGained = false; // the mask gained x with it
};

// Told each parent's POSIX path before its ACL is changed, so that the caller can note the
// change before it happens.
using BeforeParentChange = std::function<void(const CString& parent)>;

class IDirectoryRights {
public:
    virtual ~IDirectoryRights() = default;

    // Merges rwx for the account into the directory's access ACL and default ACL (an entry the
    // account already has is replaced) and takes every right from others (the "other" entry) in
    // both: a scan folder and what is made in it are private to its owner and the account.
    // The path goes through Windows' full-path step (platform::WithoutTrailingBlanksAndDots).
    virtual AclResult GrantFullAccess(const CString& directory, const Account& account) = 0;

    // Adds x for the account to every folder above the directory that the account may not
    // pass, from the nearest up to "/" (the directory's resolved path). Returns one record per
    // folder that needed it.
    virtual std::vector<ParentChange> GrantSearchOnParents(const CString& directory, const Account& account,
                                                           const BeforeParentChange& before = {}) = 0;

    // Takes the account's own entries out of the directory's access and default ACLs. The mask
    // is computed anew; an ACL left without named entries loses its mask, and a default ACL left
    // with its base entries alone goes as a whole. 0 (also when the account had no entry) or
    // the errno value.
    virtual int RevokeFullAccess(const CString& directory, const Account& account) = 0;

    // Takes back the search right that GrantSearchOnParents gave the account (change as it
    // reported it): x off the owner's entry when the account owns the folder, else off the
    // account's entry, which goes when it was made for it and holds nothing else; the mask loses
    // the x it gained, and goes with the last named entry. 0 or the errno value.
    virtual int RevokeSearch(const ParentChange& change, const Account& account) = 0;

    static constexpr const char* kServiceName = "DirectoryRights";
    static IDirectoryRights& Default();
};

// The system's text for an errno value.
CString ErrorText(int error);

} // namespace platform
