// The framework's command-line parsing: every argument reaches ParseParam, a switch (an argument
// that begins with "-" or "/") without that sign. The base class keeps the first plain parameter
// as the file name, which this program does not use.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/CStringList.h"

class CCommandLineInfo {
public:
    virtual ~CCommandLineInfo() = default;

    virtual void ParseParam(const CString& param, bool isFlag, bool isLast)
    {
        if (!isFlag && m_strFileName.IsEmpty() && !param.IsEmpty())
            m_strFileName = param;
        (void)isLast;
    }

    CString m_strFileName;
};

// Hands each argument to info.ParseParam in order.
inline void ParseCommandLine(CCommandLineInfo& info, const CStringList& arguments)
{
    for (int i = 0; i < arguments.GetCount(); ++i) {
        const CString& argument = arguments.GetAt(i);
        bool isFlag = !argument.IsEmpty() && (argument[0] == u'-' || argument[0] == u'/');
        info.ParseParam(isFlag ? argument.Mid(1) : argument, isFlag, i + 1 == arguments.GetCount());
    }
}
