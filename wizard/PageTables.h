// The two constant tables of a page class: its bindings (element property <-> member) and its
// click map (element id -> handler).
#pragma once

#include "wizard/WizardState.h"

#include "platform/ui/PageHost.h"

#include <span>
#include <string>
#include <vector>

// One binding: the element's property and exactly one target, a text of the page object, a
// text of the run's WizardState or a number of it (a select's index). A path is shown in its
// POSIX form; what the user enters comes back as it is (a POSIX path is a path for the code too).
template <class Page>
struct Binding {
    const char16_t* id;
    platform::PageProperty property;
    CString Page::*pageText = nullptr;
    CString WizardState::*stateText = nullptr;
    int WizardState::*stateNumber = nullptr;
    bool path = false;
};

template <class Page>
constexpr Binding<Page> PageText(const char16_t* id, platform::PageProperty property, CString Page::*member)
{
    return {id, property, member, nullptr, nullptr};
}

template <class Page>
constexpr Binding<Page> StateText(const char16_t* id, platform::PageProperty property, CString WizardState::*member)
{
    return {id, property, nullptr, member, nullptr};
}

template <class Page>
constexpr Binding<Page> StatePath(const char16_t* id, platform::PageProperty property, CString WizardState::*member)
{
    return {id, property, nullptr, member, nullptr, true};
}

template <class Page>
constexpr Binding<Page> StateNumber(const char16_t* id, platform::PageProperty property, int WizardState::*member)
{
    return {id, property, nullptr, nullptr, member};
}

template <class Page>
struct ClickHandler {
    const char16_t* id;
    void (Page::*handler)();
};

// The element ids of a table, for checks against the page files.
template <class Row>
std::vector<std::u16string> IdsOf(std::span<const Row> rows)
{
    std::vector<std::u16string> ids;
    for (const Row& row : rows)
        ids.emplace_back(row.id);
    return ids;
}
