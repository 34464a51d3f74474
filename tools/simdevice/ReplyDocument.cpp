#include "tools/simdevice/ReplyDocument.h"

namespace simdevice {

namespace {

struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, std::size_t size) override
    {
        text.append(static_cast<const char*>(data), size);
    }
};

// Empty elements are written with an end tag, so that the section markers the callers scan
// for (<ListOfLicensedFeatures> ... </ListOfLicensedFeatures>) are there even for an empty list.
std::string TextOf(const pugi::xml_document& document)
{
    StringWriter writer;
    document.save(writer, "", pugi::format_raw | pugi::format_no_empty_element_tags, pugi::encoding_utf8);
    return writer.text;
}

// pugixml writes a control character in an attribute value as a decimal reference, &#10;.
std::string RawControlCharacters(const std::string& xml)
{
    std::string out;
    out.reserve(xml.size());
    for (std::size_t i = 0; i < xml.size();) {
        std::size_t end = xml.compare(i, 2, "&#") == 0 ? xml.find(';', i + 2) : std::string::npos;
        int code = 0;
        if (end != std::string::npos && end > i + 2 && end <= i + 4) {
            for (std::size_t d = i + 2; d < end && code >= 0; ++d)
                code = (xml[d] >= '0' && xml[d] <= '9') ? code * 10 + (xml[d] - '0') : -1;
            if (code >= 0 && code < 0x20) {
                out += static_cast<char>(code);
                i = end + 1;
                continue;
            }
        }
        out += xml[i++];
    }
    return out;
}

} // namespace

ReplyDocument::ReplyDocument(const Command& command)
{
    pugi::xml_node parent = document_;
    if (command.wrapped)
        parent = parent.append_child("MfpCommands");
    pugi::xml_node element = parent.append_child(command.element.name());
    element.append_attribute("CommandID") = command.element.attribute("CommandID").value();
    reply_ = element.append_child("Reply");
    reply_.append_attribute("ReturnCode") = kSuccess;
}

pugi::xml_node ReplyDocument::Reply() const
{
    return reply_;
}

void ReplyDocument::SetReturnCode(std::string_view code)
{
    reply_.attribute("ReturnCode") = std::string(code).c_str();
}

std::string ReplyDocument::Text() const
{
    return TextOf(document_);
}

std::string ReplyDocument::TextWithRawControlCharacters() const
{
    return RawControlCharacters(TextOf(document_));
}

std::string ErrorReplyText(std::string_view returnCode, std::string_view description)
{
    pugi::xml_document document;
    pugi::xml_node error = document.append_child("ErrorReply");
    error.append_attribute("ReturnCode") = std::string(returnCode).c_str();
    error.append_attribute("Description") = std::string(description).c_str();
    return TextOf(document);
}

} // namespace simdevice
