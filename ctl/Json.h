// JSON values as tarrowctl writes them: objects whose members keep the order they were set in,
// and arrays. Strings go through JsonString, so any text stays valid JSON.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A JSON string literal of text, quotation marks included: control characters (C0, DEL, C1)
// escaped, and each byte that is no UTF-8 written as U+FFFD, so that the document stays valid
// whatever a device sends.
std::string JsonString(std::string_view text);

class JsonObject;

class JsonArray {
public:
    JsonArray& Add(std::string_view text);
    JsonArray& Add(const char* text) { return Add(std::string_view(text)); }
    JsonArray& Add(const JsonObject& object);
    bool Empty() const { return m_items.empty(); }
    std::string Text() const; // "[...]"

private:
    std::vector<std::string> m_items; // each written already
};

class JsonObject {
public:
    // Sets the member key; a key set before keeps its place and takes the new value.
    JsonObject& Set(std::string_view key, std::string_view text);
    JsonObject& Set(std::string_view key, const char* text) { return Set(key, std::string_view(text)); }
    JsonObject& Set(std::string_view key, bool value);
    JsonObject& Set(std::string_view key, int number);
    JsonObject& Set(std::string_view key, std::size_t number);
    JsonObject& Set(std::string_view key, const JsonObject& object);
    JsonObject& Set(std::string_view key, const JsonArray& array);
    // Every member of other, in its order.
    JsonObject& SetAll(const JsonObject& other);
    std::string Text() const; // "{...}"

private:
    JsonObject& SetWritten(std::string_view key, std::string value);

    std::vector<std::pair<std::string, std::string>> m_members; // key, value written already
};
