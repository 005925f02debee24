#include "platform/environment.h"

#include "platform/text.h"

#include <cstdlib>

namespace platform {

std::u16string Environ(std::u16string_view name)
{
    const char* value = std::getenv(ToAnsi(name).c_str());
    return value ? FromAnsi(value) : std::u16string();
}

} // namespace platform
