#include "ParseFileForTag.h"

#include "XmlReader.h"

#include "platform/core/Services.h"
#include "platform/ui/MessageBoxes.h"

#include <cstdlib>

std::string FormatParseReport(const CString& path, const XmlParseResult& result, const CString& firstTag)
{
    std::string report = "XML Parsing error inside file '" + path.ToUtf8() + "'.\n" +
                         XmlErrorMessage(result.code).ToUtf8() + "\nAt line " +
                         std::to_string(result.line) + ", column " + std::to_string(result.column) + ".\n";
    if (result.code == XmlErrorFirstTagNotFound)
        report += "First Tag should be '" + firstTag.ToUtf8() + "'.\n";
    return report;
}

XmlNode ParseFileForTag(const CString& path, const CString& firstTag)
{
    XmlParseResult result;
    XmlNode node = ParseFile(path, firstTag, result);
    if (result.code == XmlNoError)
        return node;
    platform::Use<platform::IMessageBoxes>().Show(CString::FromUtf8(FormatParseReport(path, result, firstTag)),
                                                  u"XML Parsing error",
                                                  platform::MB_OK | platform::MB_ICONERROR | platform::MB_TOPMOST);
    std::exit(255);
}
