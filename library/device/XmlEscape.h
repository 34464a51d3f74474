// Escaping of values inserted into request payloads.
#pragma once

#include "platform/core/CString.h"

// Replaces & < > " ' by their entity references, so that no value can end its attribute early or
// add markup; a value without them is returned unchanged.
CString EscapeXmlValue(const CString& value);
