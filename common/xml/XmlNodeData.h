// The data behind an XmlNode handle; only the reader's own code uses it directly.
#pragma once

#include "XmlNode.h"

#include <vector>

struct XmlNodeData : std::enable_shared_from_this<XmlNodeData> {
    XmlNodeData(std::optional<CString> nodeName, bool isDeclaration)
        : name(std::move(nodeName)), declaration(isDeclaration) {}
    // Frees the subtree without recursion, so a tree of any depth can be dropped.
    ~XmlNodeData();
    XmlNodeData(const XmlNodeData&) = delete;
    XmlNodeData& operator=(const XmlNodeData&) = delete;

    // Appends a new child element.
    XmlNodeData& AppendChild(const CString& childName, bool isDeclaration);
    void AppendText(CString text);
    void AppendClearSection(XmlClearSection section);

    std::optional<CString> name;
    bool declaration = false;
    XmlNodeData* parent = nullptr; // not owning
    std::vector<std::shared_ptr<XmlNodeData>> children;
    std::vector<CString> texts;
    std::vector<XmlClearSection> sections;
    std::vector<XmlAttribute> attributes;
    std::vector<XmlOrderEntry> order;
};
