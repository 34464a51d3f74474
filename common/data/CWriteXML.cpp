#include "CWriteXML.h"

#include "DataFile.h"

#include "common/log/ProgramLog.h"
#include "common/xml/ParseFileForTag.h"
#include "common/xml/XmlWriter.h"

const CString& CWriteXML::Path()
{
    if (!m_pathFixed) {
        m_path = DataFilePath();
        m_pathFixed = true;
    }
    return m_path;
}

CString CWriteXML::Value(const CString& key) const
{
    for (const auto& [each, value] : m_values)
        if (each == key)
            return value;
    return {};
}

void CWriteXML::SetValue(const CString& key, const CString& value)
{
    for (auto& pair : m_values) {
        if (pair.first == key) {
            pair.second = value;
            return;
        }
    }
    m_values.emplace_back(key, value);
}

bool CWriteXML::CreateDataFile()
{
    if (m_values.empty())
        return true;

    XmlNode root = NewDeclarationRoot();
    AddAttribute(root, u"version", CString(u"1.0"));
    Path();
    XmlNode settings = AddChildElement(AddChildElement(root, u"tarrow"), u"settings");
    AttachChild(settings.Parent(), settings, -1);
    bool created = WriteFile(root, m_path) == 0;

    ProgramLog().Line(u"Creating Data File : " + m_path + (created ? u" ... Success." : u" ... Failed."));
    if (!created)
        ProgramLog().Line(u"ERROR: Unable to Create Data file: " + m_path);

    bool written = created;
    for (const auto& [key, value] : m_values)
        written = WriteElement(key, value) && written;
    return written;
}

int CWriteXML::WriteElement(const CString& key, const CString& value)
{
    if (value.IsEmpty())
        return 1;
    if (!CanOpenForReading(Path())) {
        ProgramLog().Line(u"Network: CWriteXML::WriteElement(): ERROR :Unable to open settings file.");
        return 0;
    }

    XmlNode tarrow = ParseFileForTag(m_path, u"tarrow");
    XmlNode settings = ChildAt(tarrow, 0);
    XmlNode element = AddChildElement(settings, key);
    AttachChild(settings, element, -1);
    AddText(element, value);

    // Both write failures lose the key: say so in the log either way.
    if (tarrow && WriteFile(tarrow, m_path) != 0) {
        ProgramLog().Line(u"Network: CWriteXML::WriteElement(): ERROR: Unable to save data to Data file: " + m_path);
        return 0;
    }
    return 1;
}
