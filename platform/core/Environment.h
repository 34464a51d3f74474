// The process environment as the system reads it: variable names compare without regard to
// letter case, as Windows has them.
#pragma once

#include "platform/core/CString.h"

#include <string>

namespace platform {

class IEnvironment {
public:
    virtual ~IEnvironment() = default;

    // True with the variable's value when it is set. "HomeDrive", which Linux does not set,
    // names the user's home folder there (from HOME, else the account database); an
    // environment that sets it keeps its value.
    virtual bool GetVariable(const CString& name, CString& value) = 0;

    static constexpr const char* kServiceName = "Environment";
    static IEnvironment& Default();
};

// The user's home folder: HOME, else the account database's entry; empty when neither tells.
std::string HomeFolder();

} // namespace platform
