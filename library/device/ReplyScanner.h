// Plain-text scanners for the device's replies. Replies are never parsed as XML: values are found
// as substrings, searching forward from a position, so that successive calls walk the records.
#pragma once

#include "platform/core/CString.h"

typedef int BOOL;

// Value of the attribute name="..." at or after start; returns the value's index, or -1 with the
// value left unchanged.
int GetStringValue(const CString& text, const CString& name, CString& value, int start);

// Whether target lies after the first start marker and before the first end marker after it.
BOOL IsStringPresent(const CString& text, const CString& target, const CString& startMarker,
                     const CString& endMarker);

// Replaces the five predefined entity references by their characters, each decoded once.
void DecodeXmlEntities(CString& value);
