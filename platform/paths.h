#pragma once
// Paths as the program builds them (Windows-style, "\" between names) and as Linux opens them.

#include <algorithm>
#include <string>
#include <string_view>

namespace platform {

/// The path with every "\" taken as the separator "/", as the platform would.
inline std::string PosixPath(std::string_view path)
{
    std::string result(path);
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

} // namespace platform
