// TarrowNetwork's command line: every switch with the plain parameter that follows it.
#pragma once

#include "network/CCommandLineInfo.h"

#include <string>
#include <unordered_map>

class CCommandLineInfoEx : public CCommandLineInfo {
public:
    // A switch becomes present with an empty value and waits for its value; a plain parameter is
    // the value of the waiting switch, if any. Names keep their letter case.
    void ParseParam(const CString& param, bool isFlag, bool isLast) override;

    // True when the switch was given; value is then its value (empty when none followed).
    bool GetOption(const CString& name, CString& value) const;
    bool HasOption(const CString& name) const;

private:
    std::unordered_map<std::u16string, CString> m_options;
    CString m_csLastSwitch;  // empty when no switch waits for its value
};
