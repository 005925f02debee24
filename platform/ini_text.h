#pragma once

// Reading and editing the bytes of an INI file, without any file I/O.
//
// The rules follow the Windows profile functions: names match without regard
// to ASCII case, blanks (space, tab) around names and values are ignored, a
// line whose first non-blank is ';' is a comment, and the first matching
// section and the first matching key in it win. Edits touch only the bytes
// they must, so comments, spacing, line endings and a byte-order mark survive.

#include <optional>
#include <string>
#include <string_view>

namespace platform::ini {

// Removes spaces (not tabs) from both ends, as the profile functions do with
// the section and key names they are given.
std::string_view trimSpaces(std::string_view text);

// Names and values that can be written without producing a line that reads
// back differently (or as several lines).
bool isSafeSectionName(std::string_view section);
bool isSafeKeyName(std::string_view key);
bool isSafeValue(std::string_view value);

// The value of key in the first section named section, without blanks around
// it and without one matching pair of quotes; nullopt when absent.
std::optional<std::string_view> findValue(std::string_view text, std::string_view section,
                                          std::string_view key);

// Each edit returns the new text, or nullopt when the text would not change.
std::optional<std::string> withValue(std::string_view text, std::string_view section,
                                     std::string_view key, std::string_view value);
std::optional<std::string> withoutKey(std::string_view text, std::string_view section,
                                      std::string_view key);
std::optional<std::string> withoutSection(std::string_view text, std::string_view section);

}  // namespace platform::ini
