// Whole-file reads and atomic replacement of files.
#pragma once

#include "win_types.h"

#include <optional>
#include <string>
#include <string_view>

namespace kz {

// The file's bytes; nothing with *error set to a Windows error code
// (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED) when it cannot be
// read.
std::optional<std::string> readWholeFile(const std::string& path, DWORD* error);

// Replaces (or creates) the file with these bytes: they go to a temporary file in the
// same directory, which is flushed and then renamed over the file, so that a reader
// sees the old or the new file, never a part. A symbolic link is followed, and an
// existing file keeps its permissions. Returns 0 or a Windows error code.
DWORD writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace kz
