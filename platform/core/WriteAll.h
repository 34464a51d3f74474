// Writing a whole buffer to a file descriptor.
#pragma once

#include <string_view>

namespace platform {

// Writes every byte, resuming after interruptions and partial writes; false on any failure.
bool WriteAll(int fd, std::string_view data);

} // namespace platform
