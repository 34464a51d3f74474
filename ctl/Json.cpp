#include "ctl/Json.h"

#include "ctl/Utf8Sequence.h"

#include <cstdio>

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    const auto unicodeEscape = [&out](unsigned code) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
        out += escaped;
    };
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            switch (byte) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20 || byte == 0x7F)
                    unicodeEscape(byte);
                else
                    out += static_cast<char>(byte);
            }
            ++at;
            continue;
        }
        // Bytes that are no UTF-8 would make the document unreadable: each becomes U+FFFD. The C1
        // controls are written escaped, so that a terminal showing the document is not steered.
        const std::size_t length = Utf8SequenceLength(text, at);
        if (length == 0) {
            unicodeEscape(0xFFFD);
            ++at;
        } else if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0) {
            unicodeEscape(static_cast<unsigned char>(text[at + 1]));
            at += 2;
        } else {
            out.append(text.substr(at, length));
            at += length;
        }
    }
    return out + "\"";
}

JsonArray& JsonArray::Add(std::string_view text)
{
    m_items.push_back(JsonString(text));
    return *this;
}

JsonArray& JsonArray::Add(const JsonObject& object)
{
    m_items.push_back(object.Text());
    return *this;
}

std::string JsonArray::Text() const
{
    std::string text = "[";
    for (const std::string& item : m_items)
        text += (text.size() > 1 ? "," : "") + item;
    return text + "]";
}

JsonObject& JsonObject::SetWritten(std::string_view key, std::string value)
{
    for (auto& [name, written] : m_members)
        if (name == key) {
            written = std::move(value);
            return *this;
        }
    m_members.emplace_back(key, std::move(value));
    return *this;
}

JsonObject& JsonObject::Set(std::string_view key, std::string_view text)
{
    return SetWritten(key, JsonString(text));
}

JsonObject& JsonObject::Set(std::string_view key, bool value)
{
    return SetWritten(key, value ? "true" : "false");
}

JsonObject& JsonObject::Set(std::string_view key, int number)
{
    return SetWritten(key, std::to_string(number));
}

JsonObject& JsonObject::Set(std::string_view key, std::size_t number)
{
    return SetWritten(key, std::to_string(number));
}

JsonObject& JsonObject::Set(std::string_view key, const JsonObject& object)
{
    return SetWritten(key, object.Text());
}

JsonObject& JsonObject::Set(std::string_view key, const JsonArray& array)
{
    return SetWritten(key, array.Text());
}

JsonObject& JsonObject::SetAll(const JsonObject& other)
{
    for (const auto& [key, value] : other.m_members)
        SetWritten(key, value);
    return *this;
}

std::string JsonObject::Text() const
{
    std::string text = "{";
    for (const auto& [key, value] : m_members)
        text += (text.size() > 1 ? "," : "") + JsonString(key) + ":" + value;
    return text + "}";
}
