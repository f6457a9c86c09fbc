// Whole-file reading and crash-safe saving.
//
// saveFileAtomically writes the bytes to a temporary file in the target's folder,
// flushes it to disk, then renames it over the target: afterwards the target holds
// either its old contents or all of the new ones, never a mixture, even if the program
// or the machine stops half way. The temporary file is removed on every failure.
//  - A target that is a symbolic link is resolved: the file it points to is replaced
//    and the link is kept.
//  - A read-only target file is refused even though the folder would allow replacing
//    it: the user marked it so to keep it. (A root process bypasses file permissions,
//    as everywhere on POSIX.)
//  - A new file gets the usual permissions (0666 less the umask); a replaced file keeps
//    its permissions.
// Both functions return false with a message naming the path and the reason (missing
// folder, read-only, no permission, disk full, ...).
#pragma once

#include <string>
#include <string_view>

namespace kz {

bool saveFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

bool readWholeFile(const std::string& path, std::string& bytes, std::string& error);

} // namespace kz
