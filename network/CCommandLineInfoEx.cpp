#include "network/CCommandLineInfoEx.h"

void CCommandLineInfoEx::ParseParam(const CString& param, bool isFlag, bool isLast)
{
    if (isFlag) {
        m_options[param.str()] = CString();
        m_csLastSwitch = param;
    } else if (!m_csLastSwitch.IsEmpty()) {
        m_options[m_csLastSwitch.str()] = param;
        m_csLastSwitch.Empty();
    }
    CCommandLineInfo::ParseParam(param, isFlag, isLast);
}

bool CCommandLineInfoEx::GetOption(const CString& name, CString& value) const
{
    auto found = m_options.find(name.str());
    if (found == m_options.end())
        return false;
    value = found->second;
    return true;
}

bool CCommandLineInfoEx::HasOption(const CString& name) const
{
    return m_options.count(name.str()) != 0;
}
