// One parameter of the Samba configuration the platform uses, as testparm reads it (with Samba's
// default when the file does not set it).
#pragma once

#include <optional>
#include <string>

namespace selfcheck {

// The value of the [global] parameter (e.g. "server min protocol"), or nothing when testparm did
// not start, timed out or failed.
std::optional<std::string> ReadSambaParameter(const std::string& parameter);

// The value from testparm's output: its last line, without line end (testparm's remarks about the
// file come before it on the same stream).
std::string ParameterValueOf(const std::string& testparmOutput);

} // namespace selfcheck
