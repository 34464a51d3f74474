// Little-endian integers in byte strings, as the SMB and NTLM messages carry them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::le {

inline void Put16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, static_cast<std::uint16_t>(value));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

inline void Put64(std::vector<std::uint8_t>& out, std::uint64_t value)
{
    Put32(out, static_cast<std::uint32_t>(value));
    Put32(out, static_cast<std::uint32_t>(value >> 32));
}

// The callers check that the bytes are there.
inline std::uint16_t Get16(const std::vector<std::uint8_t>& in, std::size_t at)
{
    return static_cast<std::uint16_t>(in[at] | in[at + 1] << 8);
}

inline std::uint32_t Get32(const std::vector<std::uint8_t>& in, std::size_t at)
{
    return Get16(in, at) | static_cast<std::uint32_t>(Get16(in, at + 2)) << 16;
}

inline std::uint64_t Get64(const std::vector<std::uint8_t>& in, std::size_t at)
{
    return Get32(in, at) | static_cast<std::uint64_t>(Get32(in, at + 4)) << 32;
}

// Sets the 16-bit value at a place already written.
inline void Set16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t value)
{
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void Set32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    Set16(out, at, static_cast<std::uint16_t>(value));
    Set16(out, at + 2, static_cast<std::uint16_t>(value >> 16));
}

} // namespace platform::le
