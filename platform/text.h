#pragma once
// Conversion between the program's wide text and the "ANSI" text of the profile functions.
// On Linux the ANSI code page is the locale's, which Qt takes as UTF-8.

#include <string>
#include <string_view>

namespace platform {

/// Wide text to the ANSI code page; characters it cannot hold are replaced, never dropped silently.
std::string ToAnsi(std::u16string_view wide);

/// ANSI text to wide text; bytes that do not form valid text become the replacement character.
std::u16string FromAnsi(std::string_view ansi);

} // namespace platform
