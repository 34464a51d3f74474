// The two constant tables of a discovery page class: its bindings (element property <-> text
// member of the page) and its click map (element id -> handler).
#pragma once

#include "platform/core/CString.h"
#include "platform/ui/PageHost.h"

template <class Page>
struct NetworkBinding {
    const char16_t* id;
    platform::PageProperty property;
    CString Page::*member;
};

template <class Page>
struct NetworkClick {
    const char16_t* id;
    void (Page::*handler)();
};
