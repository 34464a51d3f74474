#include "ctl/Json.h"

#include "ctl/Console.h"

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
