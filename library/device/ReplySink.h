// Where libcurl delivers a reply body: the command's csResponse, piece by piece.
#pragma once

#include "platform/core/TextConvert.h"

#include <cstddef>

class CDSMP_Command;

// The most a reply may hold. The largest real folder list is a few MiB; a device that sends more
// is streaming without end, and the transfer stops here rather than when memory runs out.
inline constexpr std::size_t kMaxReplyBytes = 32 * 1024 * 1024;

struct ReplySink {
    CDSMP_Command* command = nullptr;
    // Carries a UTF-8 sequence cut between two pieces over to the next piece.
    Utf8StreamDecoder decoder;
    std::size_t received = 0;  // bytes of the body so far, zero bytes included
};

// The libcurl write callback. Appends the piece, converted up to its first zero byte, to the
// command's csResponse and returns size * count. Returns 0, which makes libcurl stop the
// transfer with an error, when there is no command, when the body would grow past
// kMaxReplyBytes, or when memory runs out. Never throws.
std::size_t TakeReplyPiece(char* data, std::size_t size, std::size_t count, void* sink);
