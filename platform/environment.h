#pragma once
// The process environment, as the program reads it.

#include <string>
#include <string_view>

namespace platform {

/// The value of the environment variable, or "" when it is not set.
std::u16string Environ(std::u16string_view name);

} // namespace platform
