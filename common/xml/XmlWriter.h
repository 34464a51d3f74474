// Writing a tree as indented text: one TAB per level, LF line ends, each text run and clear
// section on a line of its own, the five special characters escaped.
#pragma once

#include "XmlNode.h"

// The text of node and its subtree.
CString ToText(const XmlNode& node);

// Writes FF FE, the header "<?xml version="1.0" encoding="utf-16"?>" and a line end (unless the
// node is a declaration or a nameless node whose first element is one), then ToText(node), all
// as UTF-16LE. Returns 0, 14 (cannot create the file) or 15 (a write or the close failed).
int WriteFile(const XmlNode& node, const CString& path);
