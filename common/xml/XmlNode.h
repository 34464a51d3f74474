// A node of an XML tree: a reference-counted handle to shared node data.
//
// Copying a handle adds a reference; when the last one goes, the node and every part of its
// subtree that no other handle holds are freed. An empty handle is the empty node: every lookup
// on it yields the empty node or nothing and every building operation on it does nothing.
#pragma once

#include "platform/core/CString.h"

#include <memory>
#include <optional>
#include <span>

struct XmlNodeData;

struct XmlAttribute {
    CString name;
    std::optional<CString> value; // absent for a bare attribute name
};

// Text kept verbatim between an opening and a closing marker ("<![CDATA[" ... "]]>", comments,
// DOCTYPE and the like).
struct XmlClearSection {
    CString content;
    CString opening;
    CString closing;
};

enum class XmlItemKind { Element, Text, ClearSection };

// One entry per child element, text run and clear section in document order; index is the
// position within the node's elements, texts or sections.
struct XmlOrderEntry {
    XmlItemKind kind;
    int index;
};

class XmlNode {
public:
    XmlNode() = default;
    explicit XmlNode(std::shared_ptr<XmlNodeData> data) : m_data(std::move(data)) {}

    bool IsEmpty() const { return !m_data; }
    explicit operator bool() const { return m_data != nullptr; }
    friend bool operator==(const XmlNode& a, const XmlNode& b) { return a.m_data == b.m_data; }

    // The nameless top node of a parse has no name; Name() is then empty.
    bool HasName() const;
    CString Name() const;
    bool IsDeclaration() const;
    XmlNode Parent() const;
    int ChildCount() const;
    int TextCount() const;
    std::span<const XmlAttribute> Attributes() const;
    std::span<const XmlClearSection> ClearSections() const;
    std::span<const XmlOrderEntry> Order() const;

    // For the reader's own code.
    XmlNodeData* Data() const { return m_data.get(); }

private:
    std::shared_ptr<XmlNodeData> m_data;
};

// Lookups.
XmlNode ChildAt(const XmlNode& node, int index);
// First child element whose whole name equals name, letter case of a to z ignored.
XmlNode ChildNamed(const XmlNode& node, const CString& name);
// The index-th text run; absent when there is none (callers read that as empty text).
std::optional<CString> TextAt(const XmlNode& node, int index);

// Building.
XmlNode NewDeclarationRoot(); // a declaration named "xml", without parent
XmlNode AddChildElement(const XmlNode& node, const CString& name);
// Makes child a child of node at position among node's child elements (-1: at the end). A child
// that has a parent is detached from it first; when that parent is node and position lies at or
// behind the child's old place, position moves one place forward. A node never becomes its own
// descendant: attaching node itself or one of its ancestors does nothing.
void AttachChild(const XmlNode& node, const XmlNode& child, int position = -1);
void AddAttribute(const XmlNode& node, const CString& name, std::optional<CString> value);
void AddText(const XmlNode& node, const CString& text);

// Whether two names are equal with the letters a to z compared without regard to case.
bool NamesEqualNoCase(std::u16string_view a, std::u16string_view b);
