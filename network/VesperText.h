// Texts across the discovery service's boundary: narrow UTF-8 there, CString here.
#pragma once

#include "platform/core/CString.h"

#include <string>

// The narrow form of a wide text for a service call.
inline std::string ToVesper(const CString& text)
{
    return text.ToUtf8();
}

// The text in a buffer that the service filled, up to its terminating zero.
inline CString FromVesper(const char* text)
{
    return CString::FromUtf8(text);
}
