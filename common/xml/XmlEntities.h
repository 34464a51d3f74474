// The five character entities and numeric character references, both ways.
#pragma once

#include "platform/core/CString.h"

#include <optional>
#include <string_view>

// Decodes "&amp;" and the other four entities (letter case ignored) and "&#65;" or "&#x41;"
// (code values taken modulo 65536); nullopt for an unknown entity or a malformed reference.
std::optional<CString> DecodeEntities(std::u16string_view text);

// Replaces each of the five characters & < > " ' by its entity.
CString EscapeEntities(std::u16string_view text);
