// Samba's own account database (its passdb), read with pdbedit: whether Samba holds a password
// for an account, and the account's entry. Only root may read the database: pdbedit run by
// another account cannot open it and then also reports every name as unknown.
#pragma once

#include <string>

namespace platform {

enum class PassdbAnswer {
    Listed,      // Samba has an account of that name (it has a Samba password)
    Unknown,     // the database was read and holds no account of that name
    Unreadable,  // pdbedit could not open the database (run by an account other than root)
    Failed,      // pdbedit ended with another error
    NotRun,      // pdbedit did not start or did not answer in time
};

struct PassdbEntry {
    PassdbAnswer answer = PassdbAnswer::NotRun;
    int exitCode = -1;
    std::string output;  // pdbedit -L -v: "User SID:" and the other fields of the entry
};

// The entry of the account name, through the platform's program runner and Samba configuration.
PassdbEntry ReadPassdbEntry(const std::string& name);

} // namespace platform
