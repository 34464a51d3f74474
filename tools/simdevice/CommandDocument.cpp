#include "tools/simdevice/CommandDocument.h"

#include <optional>
#include <string_view>
#include <vector>

namespace simdevice {

namespace {

constexpr std::string_view kListOpen = "<ListOfEnabledFeatures>";
constexpr std::string_view kListClose = "</ListOfEnabledFeatures>";

// The names of a pseudo element of quoted names separated by single blanks, <"A" "B"/>;
// nothing when the text is not exactly one such element.
std::optional<std::vector<std::string>> PseudoElementNames(std::string_view text)
{
    if (!text.starts_with("<\"") || !text.ends_with("/>"))
        return std::nullopt;
    text = text.substr(1, text.size() - 3);
    std::vector<std::string> names;
    for (;;) {
        const auto close = text.find('"', 1);
        if (text.empty() || text.front() != '"' || close == std::string_view::npos)
            return std::nullopt;
        const std::string_view name = text.substr(1, close - 1);
        if (name.find_first_of("<>&") != std::string_view::npos)
            return std::nullopt;
        names.emplace_back(name);
        text.remove_prefix(close + 1);
        if (text.empty())
            return names;
        if (text.front() != ' ')
            return std::nullopt;
        text.remove_prefix(1);
    }
}

// The enable command lists its features as such a pseudo element, which is not XML; the
// device's firmware takes it all the same. Exactly that form, alone in the list, becomes
// <Feature Name="A"/><Feature Name="B"/> before parsing.
std::string WithParseableFeatureList(std::string xml)
{
    const auto open = xml.find(kListOpen);
    if (open == std::string::npos)
        return xml;
    const auto begin = open + kListOpen.size();
    const auto close = xml.find(kListClose, begin);
    if (close == std::string::npos)
        return xml;
    const auto names = PseudoElementNames(std::string_view(xml).substr(begin, close - begin));
    if (!names)
        return xml;

    std::string features;
    for (const std::string& name : *names)
        features += "<Feature Name=\"" + name + "\"/>";
    xml.replace(begin, close - begin, features);
    return xml;
}

pugi::xml_node FirstElement(const pugi::xml_node& parent)
{
    for (pugi::xml_node child : parent.children())
        if (child.type() == pugi::node_element)
            return child;
    return {};
}

} // namespace

std::string Command::Name() const
{
    return element.name();
}

std::string Command::Id() const
{
    return element.attribute("CommandID").value();
}

bool ParseCommand(const std::string& xmlRequest, Command& command, std::string& reason)
{
    const std::string xml = WithParseableFeatureList(xmlRequest);
    const pugi::xml_parse_result result =
        command.document.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!result) {
        reason = std::string("not XML: ") + result.description();
        return false;
    }
    command.element = command.document.document_element();
    command.wrapped = command.Name() == "MfpCommands";
    if (command.wrapped)
        command.element = FirstElement(command.element);
    if (!command.element) {
        reason = "no command";
        return false;
    }
    return true;
}

} // namespace simdevice
