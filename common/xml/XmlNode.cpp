#include "XmlNodeData.h"

#include <algorithm>

XmlNodeData::~XmlNodeData()
{
    std::vector<std::shared_ptr<XmlNodeData>> pending = std::move(children);
    while (!pending.empty()) {
        std::shared_ptr<XmlNodeData> child = std::move(pending.back());
        pending.pop_back();
        child->parent = nullptr;
        // A child that no handle holds goes now: take over its children first so that its own
        // destructor finds nothing to free.
        if (child.use_count() == 1) {
            for (auto& grandchild : child->children)
                pending.push_back(std::move(grandchild));
            child->children.clear();
        }
    }
}

XmlNodeData& XmlNodeData::AppendChild(const CString& childName, bool isDeclaration)
{
    auto child = std::make_shared<XmlNodeData>(childName, isDeclaration);
    child->parent = this;
    order.push_back({XmlItemKind::Element, static_cast<int>(children.size())});
    children.push_back(child);
    return *child;
}

void XmlNodeData::AppendText(CString text)
{
    order.push_back({XmlItemKind::Text, static_cast<int>(texts.size())});
    texts.push_back(std::move(text));
}

void XmlNodeData::AppendClearSection(XmlClearSection section)
{
    order.push_back({XmlItemKind::ClearSection, static_cast<int>(sections.size())});
    sections.push_back(std::move(section));
}

bool XmlNode::HasName() const { return m_data && m_data->name.has_value(); }
CString XmlNode::Name() const { return HasName() ? *m_data->name : CString(); }
bool XmlNode::IsDeclaration() const { return m_data && m_data->declaration; }

XmlNode XmlNode::Parent() const
{
    return m_data && m_data->parent ? XmlNode(m_data->parent->shared_from_this()) : XmlNode();
}

int XmlNode::ChildCount() const { return m_data ? static_cast<int>(m_data->children.size()) : 0; }
int XmlNode::TextCount() const { return m_data ? static_cast<int>(m_data->texts.size()) : 0; }

std::span<const XmlAttribute> XmlNode::Attributes() const
{
    return m_data ? std::span<const XmlAttribute>(m_data->attributes) : std::span<const XmlAttribute>();
}

std::span<const XmlClearSection> XmlNode::ClearSections() const
{
    return m_data ? std::span<const XmlClearSection>(m_data->sections) : std::span<const XmlClearSection>();
}

std::span<const XmlOrderEntry> XmlNode::Order() const
{
    return m_data ? std::span<const XmlOrderEntry>(m_data->order) : std::span<const XmlOrderEntry>();
}

namespace {

char16_t FoldCase(char16_t ch)
{
    return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch - u'A' + u'a') : ch;
}

} // namespace

bool NamesEqualNoCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

XmlNode ChildAt(const XmlNode& node, int index)
{
    if (index < 0 || index >= node.ChildCount())
        return XmlNode();
    return XmlNode(node.Data()->children[static_cast<std::size_t>(index)]);
}

XmlNode ChildNamed(const XmlNode& node, const CString& name)
{
    if (!node)
        return XmlNode();
    for (const auto& child : node.Data()->children)
        if (child->name && NamesEqualNoCase(*child->name, name))
            return XmlNode(child);
    return XmlNode();
}

std::optional<CString> TextAt(const XmlNode& node, int index)
{
    if (index < 0 || index >= node.TextCount())
        return std::nullopt;
    return node.Data()->texts[static_cast<std::size_t>(index)];
}

XmlNode NewDeclarationRoot()
{
    return XmlNode(std::make_shared<XmlNodeData>(CString(u"xml"), true));
}

XmlNode AddChildElement(const XmlNode& node, const CString& name)
{
    if (!node)
        return XmlNode();
    return XmlNode(node.Data()->AppendChild(name, false).shared_from_this());
}

namespace {

// Removes child from its parent's elements and order list; returns its old element index.
int Detach(XmlNodeData& parent, const XmlNodeData& child)
{
    auto found = std::find_if(parent.children.begin(), parent.children.end(),
                              [&](const auto& c) { return c.get() == &child; });
    int index = static_cast<int>(found - parent.children.begin());
    parent.children.erase(found);
    std::erase_if(parent.order, [&](const XmlOrderEntry& e) {
        return e.kind == XmlItemKind::Element && e.index == index;
    });
    for (auto& entry : parent.order)
        if (entry.kind == XmlItemKind::Element && entry.index > index)
            --entry.index;
    return index;
}

bool IsSelfOrAncestor(const XmlNodeData* candidate, const XmlNodeData* node)
{
    for (; node; node = node->parent)
        if (node == candidate)
            return true;
    return false;
}

} // namespace

void AttachChild(const XmlNode& node, const XmlNode& child, int position)
{
    if (!node || !child || IsSelfOrAncestor(child.Data(), node.Data()))
        return;
    XmlNodeData& parent = *node.Data();
    std::shared_ptr<XmlNodeData> held(child.Data()->shared_from_this());
    if (XmlNodeData* old = held->parent) {
        int oldIndex = Detach(*old, *held);
        if (old == &parent && position >= oldIndex)
            --position;
    }
    int count = static_cast<int>(parent.children.size());
    if (position < 0 || position > count)
        position = count;

    // The order entry goes before that of the element now at position, or at the end.
    auto at = std::find_if(parent.order.begin(), parent.order.end(), [&](const XmlOrderEntry& e) {
        return e.kind == XmlItemKind::Element && e.index == position;
    });
    for (auto& entry : parent.order)
        if (entry.kind == XmlItemKind::Element && entry.index >= position)
            ++entry.index;
    parent.order.insert(at, {XmlItemKind::Element, position});
    parent.children.insert(parent.children.begin() + position, held);
    held->parent = &parent;
}

void AddAttribute(const XmlNode& node, const CString& name, std::optional<CString> value)
{
    if (node)
        node.Data()->attributes.push_back({name, std::move(value)});
}

void AddText(const XmlNode& node, const CString& text)
{
    if (node)
        node.Data()->AppendText(text);
}
