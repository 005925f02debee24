#pragma once

// The two Windows profile functions the game's settings code expects, for
// Linux. They read and edit one key of an INI file such as steam_api.ini and
// never leave a half-written file behind.
//
// Paths may use '\' or '/' as separators; every '\' is taken as '/'.
// Names match without regard to ASCII case; no locale is consulted.
//
// Differences from Windows:
// - No enumeration: a null section or key reads as "" (returns 0 with an empty
//   buffer); there is no default file for a null path (it reads as a missing file).
// - Reading bytes of a multi-byte character may be cut at the buffer's end.

#include <cstdint>

namespace platform {

// Copies the value of key in section (or, when the file, section or key is
// missing, defaultValue without its trailing spaces) into buffer, cut to
// capacity - 1 bytes and followed by a NUL. Returns the bytes copied,
// without the NUL. Capacity 0 or a null buffer copies nothing and returns 0.
std::int32_t GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                                      char* buffer, std::uint32_t capacity, const char* path);

// Sets key in section to value, adding the key, the section or the file as
// needed and keeping every other byte. A null value removes the key's line; a
// null key removes the whole first matching section. The file is replaced in
// one step, so it always holds either the old or the new content. Symbolic
// links are followed and kept; a hard link is not (the file is a new one, so
// its other names keep the old content).
//
// Returns 1 on success. When nothing would change (same value, nothing to
// remove, or removing from a missing file in an existing folder) the file is
// left as it is and the call succeeds.
//
// Returns 0 with errno set and the file untouched on failure:
// - EINVAL: null section or path; a line break in any argument, '=' in the key,
//   ']' in the section, a key starting with ';' or '[', tabs around a name
//   (each would write a line that reads back differently); a path that names
//   neither a regular file nor a missing one (EISDIR for a directory).
// - EACCES: the file grants write permission to nobody (read-only, even for
//   root) or not to us.
// - ELOOP: more than 40 symbolic links in a row.
// - otherwise the errno of the failing system call (ENOENT for a missing
//   folder, EFBIG or ENOSPC for a full disk, ...).
std::int32_t WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                        const char* path);

}  // namespace platform
