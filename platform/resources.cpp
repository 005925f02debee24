#include "platform/resources.h"

#include "platform/resource_table.h"

#include <algorithm>

namespace platform {
namespace {

char16_t foldAsciiCase(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

} // namespace

bool ResourceId::matches(const ResourceId& other) const
{
    if (m_isName != other.m_isName)
        return false;
    if (!m_isName)
        return m_number == other.m_number;
    return std::ranges::equal(m_name, other.m_name,
                              [](char16_t a, char16_t b) { return foldAsciiCase(a) == foldAsciiCase(b); });
}

std::optional<std::span<const std::uint8_t>> LoadResource(ResourceId type, ResourceId name,
                                                          std::uint16_t language)
{
    for (const auto& resource : detail::compiledResources()) {
        if (resource.language == language && resource.type.matches(type) && resource.name.matches(name))
            return resource.bytes;
    }
    return std::nullopt;
}

} // namespace platform
