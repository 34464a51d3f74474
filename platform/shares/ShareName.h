// Share names as Samba reads them: which names it takes, which are its own, and when two names
// are one share.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Longest share name, in UTF-16 code units, that clients of the network can reach (NNLEN).
inline constexpr std::size_t kMaxShareNameLength = 80;

// Whether two UTF-8 share names name one share. Samba compares code point by code point, each in
// its simple upper-case form, over all of Unicode: "ÄRGER" and "ärger" are one share, "STRASSE"
// and "straße" are two. Text that is not UTF-8 is compared byte by byte, as Samba does.
bool SameShareName(std::string_view a, std::string_view b);

// The form in which all names of one share are the same text: each code point in its simple
// upper-case form (non-UTF-8 text as it is).
std::string ShareNameKey(std::string_view name);

// Whether Samba takes the UTF-8 name for a share of its own making: not empty, at most
// kMaxShareNameLength code units, no control character and none of the characters Samba refuses
// (% < > * ? | / \ + = ; : " ,).
bool IsValidShareName(std::string_view name);

// Names that Samba keeps for itself (IPC$, ADMIN$, global, homes, printers, print$), in any case.
bool IsReservedShareName(std::string_view name);

} // namespace platform
