#include "ReplySink.h"

#include "CDSMP_Command.h"

#include <cstring>
#include <string_view>

std::size_t TakeReplyPiece(char* data, std::size_t size, std::size_t count, void* userData)
{
    auto* sink = static_cast<ReplySink*>(userData);
    if (!sink || !sink->command)
        return 0;
    std::size_t bytes = size * count;
    if (bytes > kMaxReplyBytes - sink->received)
        return 0;
    sink->received += bytes;
    try {
        // Conversion of a piece stops at its first zero byte.
        std::size_t textBytes = strnlen(data, bytes);
        sink->command->csResponse += CString(sink->decoder.Decode(std::string_view(data, textBytes)));
    } catch (...) {
        // No exception may pass through libcurl's C frames.
        return 0;
    }
    return bytes;
}
