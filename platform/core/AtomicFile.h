// Files replaced in one step: a reader sees the old text or the new one, never a part of it, and
// a process killed while writing leaves the old file as it was.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform {

// Writes text to a new file beside path (same folder, mode as given) and renames it over path.
// 0 or the errno value; a failed write leaves path as it was and no temporary file behind. The
// file is not forced to the disk: what it guards against is a process that is killed, whose
// writes the system keeps, and a set-up writes its record several times, where each flush to a
// desktop's disk would cost more than the whole step it records.
int WriteFileAtomically(const std::string& path, std::string_view text, mode_t mode);

} // namespace platform
