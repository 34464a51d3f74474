#include "XmlTestText.h"

#include <gtest/gtest.h>

namespace {

std::string Names(const XmlNode& node)
{
    std::string names;
    for (int i = 0; i < node.ChildCount(); ++i)
        names += U8(ChildAt(node, i).Name());
    return names;
}

} // namespace

TEST(XmlNode, LookupsFindChildrenByPositionAndName)
{
    XmlNode root = NewDeclarationRoot();
    XmlNode settings = AddChildElement(root, u"Settings");
    AddChildElement(settings, u"IPAddress");
    XmlNode host = AddChildElement(settings, u"HostName");
    AddText(host, u"printer");

    EXPECT_EQ(ChildNamed(root, u"SETTINGS"), settings);
    EXPECT_EQ(ChildNamed(settings, u"hostname"), host);
    EXPECT_FALSE(ChildNamed(settings, u"Host")); // whole names only
    EXPECT_EQ(ChildAt(settings, 1), host);
    EXPECT_FALSE(ChildAt(settings, 2));
    EXPECT_FALSE(ChildAt(settings, -1));
    EXPECT_EQ(U8(*TextAt(host, 0)), "printer");
    EXPECT_FALSE(TextAt(host, 1));
    EXPECT_EQ(host.Parent(), settings);
}

TEST(XmlNode, TheEmptyNodeAnswersNothingAndIgnoresBuilding)
{
    XmlNode empty;
    EXPECT_FALSE(ChildAt(empty, 0));
    EXPECT_FALSE(ChildNamed(empty, u"x"));
    EXPECT_FALSE(TextAt(empty, 0));
    EXPECT_FALSE(AddChildElement(empty, u"x"));
    AddText(empty, u"x");
    AddAttribute(empty, u"x", CString(u"1"));
    AttachChild(empty, NewDeclarationRoot());
    EXPECT_EQ(U8(ToText(empty)), "");
}

TEST(XmlNode, AttachChildMovesNodesAndKeepsDocumentOrder)
{
    XmlNode parent = NewDeclarationRoot();
    XmlNode a = AddChildElement(parent, u"a");
    AddText(parent, u"t");
    XmlNode b = AddChildElement(parent, u"b");
    XmlNode c = AddChildElement(parent, u"c");

    AttachChild(parent, c, 0);
    EXPECT_EQ(Names(parent), "cab");
    AttachChild(parent, c, -1); // to the end again
    EXPECT_EQ(Names(parent), "abc");
    AttachChild(parent, a, 2); // at or behind its old place: one place forward
    EXPECT_EQ(Names(parent), "bac");
    EXPECT_EQ(U8(ToText(parent)), "<?xml?>\n\tt\n<b/>\n<a/>\n<c/>\n");

    XmlNode other = NewDeclarationRoot();
    AttachChild(other, b);
    EXPECT_EQ(Names(parent), "ac");
    EXPECT_EQ(b.Parent(), other);
}

TEST(XmlNode, ANodeNeverBecomesItsOwnDescendant)
{
    XmlNode root = NewDeclarationRoot();
    XmlNode child = AddChildElement(root, u"child");
    XmlNode grandchild = AddChildElement(child, u"grandchild");
    AttachChild(grandchild, root);
    AttachChild(child, child);
    EXPECT_FALSE(root.Parent());
    EXPECT_EQ(grandchild.Parent(), child);
    EXPECT_EQ(grandchild.ChildCount(), 0);
}

TEST(XmlNode, AHeldChildOutlivesItsTreeDetached)
{
    XmlNode kept;
    {
        XmlNode root = NewDeclarationRoot();
        kept = AddChildElement(AddChildElement(root, u"a"), u"b");
        AddChildElement(kept, u"c");
    }
    EXPECT_FALSE(kept.Parent());
    EXPECT_EQ(U8(ToText(kept)), "<b>\n\t<c/>\n</b>\n");
}
