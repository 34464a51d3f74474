// Parse-or-stop: the programs' way of reading their own XML files.
#pragma once

#include "XmlNode.h"
#include "XmlParseResult.h"

#include <string>

// Parses the file and returns the element named firstTag. On any code other than 0 (warnings
// included) it shows the report in an "XML Parsing error" message box and ends the process with
// exit code 255.
XmlNode ParseFileForTag(const CString& path, const CString& firstTag);

// The report: path, message, line and column, and for code 11 the expected first tag.
std::string FormatParseReport(const CString& path, const XmlParseResult& result, const CString& firstTag);
