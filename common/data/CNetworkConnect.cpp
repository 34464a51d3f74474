#include "CNetworkConnect.h"

#include "DataFile.h"

#include "common/log/ProgramLog.h"
#include "common/xml/ParseFileForTag.h"

int CNetworkConnect::ReadXML(CString& value, const CString& key)
{
    CString path = DataFilePath();
    if (!CanOpenForReading(path)) {
        ProgramLog().Line(u"CNetworkConnect::ReadXML(): ERROR :Unable to open settings file " + path);
        return 0;
    }

    XmlNode tarrow = ParseFileForTag(path, u"tarrow");
    XmlNode element = ChildNamed(ChildNamed(tarrow, u"settings"), key);
    if (!element) {
        ProgramLog().Line(u"CNetworkConnect::ReadXML(): ERROR: Unable to retrieve value of " + key +
                          u" from Data file: " + path);
        return 0;
    }
    value = TextAt(element, 0).value_or(CString());
    return 1;
}
