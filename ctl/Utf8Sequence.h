// UTF-8 as the console and the JSON document check it.
#pragma once

#include <cstddef>
#include <string_view>

// The length of the well-formed UTF-8 sequence at text[at] (no overlong forms, no surrogates,
// nothing above U+10FFFF), or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);
