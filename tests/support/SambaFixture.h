// A private Samba for one test process.
//
// The constructor writes an smb.conf made from Debian's stock one (as desktops run it: guests
// for unknown user names, [homes], usershares of group sambashare's members) under a temporary
// folder and points the platform at it (TARROW_SMB_CONF). AddAccount makes a Unix account with a Samba password, only
// inside the sandbox of tests/support/run-isolated (its own /etc), never in the machine's.
// StartServer moves the process into a network namespace of its own, so that test processes
// running side by side each have their own port 445, and runs smbd on 127.0.0.1 there.
// The destructor stops smbd and samba-dcerpcd by their PIDs, removes the accounts and the folder.
#pragma once

#include "platform/core/RunProgram.h"

#include <string>
#include <sys/types.h>
#include <vector>

class SambaFixture {
public:
    struct Account {
        std::string name;
        std::string password;
        std::string home; // only for desktop accounts
    };

    SambaFixture() : SambaFixture(std::vector<std::string>{}) {}
    // The lines go to the end of [global], after the fixture's own settings: a line that sets one
    // of those again wins ("server min protocol = SMB2", "ntlm auth = no").
    explicit SambaFixture(std::vector<std::string> extraGlobalLines);
    ~SambaFixture();
    SambaFixture(const SambaFixture&) = delete;
    SambaFixture& operator=(const SambaFixture&) = delete;

    bool IsReady() const { return m_ready; }
    // Adds the line to the end of [global] and writes the configuration again.
    bool SetGlobal(const std::string& line);
    const std::string& Root() const { return m_root; }
    const std::string& ConfigPath() const { return m_config; }

    // A new Unix account of a unique name, with a Samba password unless withSambaPassword is
    // false; an empty name when it could not be made.
    Account AddAccount(bool withSambaPassword = true);

    // A desktop user as Debian makes one: an account with a group of its own and a home folder
    // that others cannot enter (0750), a member of group sambashare when inSambashare, with a
    // Samba password. An empty name when it could not be made.
    Account AddDesktopAccount(bool inSambashare = true);

    // Runs the program as the account, with its home as HOME and its own drive C: and state
    // folders there (what a desktop session gives), input on standard input.
    platform::ProgramResult RunAs(const Account& account, const std::vector<std::string>& arguments,
                                  const std::string& input = "") const;

    // Starts smbd on 127.0.0.1:445 and waits until it accepts connections.
    bool StartServer();
    // Stops smbd and its helpers; the process stays in its network namespace. Nothing when no
    // smbd runs.
    void StopServer();

    // smbclient against //127.0.0.1/share as the account, running commands (its -c argument).
    platform::ProgramResult Client(const std::string& share, const Account& account, const std::string& commands) const;

    // What `net usershare info --long` prints for the share, whoever made it.
    std::string ShareInfo(const std::string& share) const;
    // Makes a usershare as the account, as that user's own `net usershare add` would; the folder
    // becomes the account's.
    bool AddShareAs(const Account& owner, const std::string& share, const std::string& path,
                    const std::string& acl = "S-1-1-0:r") const;
    // Its access list as printed there ("S-1-1-0:D,"), or "" when there is no such share.
    std::string ShareAcl(const std::string& share) const;

private:
    bool MakeFolders();
    bool WriteConfig();
    void StopRpcHelper();

    std::string m_root;
    std::string m_config;
    std::string m_previousConfig;
    bool m_hadPreviousConfig = false;
    bool m_ready = false;
    pid_t m_smbd = -1;
    std::vector<std::string> m_accounts;
    std::vector<std::string> m_extraGlobalLines;
};
