#pragma once
// Resources compiled into the program file, found by type and name as the program asks for them.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

/// A resource type or name: either an integer id or a string name.
class ResourceId {
public:
    constexpr ResourceId(std::uint16_t number)
        : m_number(number)
    {
    }
    constexpr ResourceId(std::u16string_view name)
        : m_name(name)
        , m_isName(true)
    {
    }
    constexpr ResourceId(const char16_t* name)
        : ResourceId(std::u16string_view(name))
    {
    }

    constexpr bool isName() const { return m_isName; }
    constexpr std::uint16_t number() const { return m_number; }
    constexpr std::u16string_view name() const { return m_name; }

    /// Integer ids match by value, names without regard to letter case; an id never matches a name.
    bool matches(const ResourceId& other) const;

private:
    std::uint16_t m_number = 0;
    std::u16string_view m_name;
    bool m_isName = false;
};

inline constexpr std::uint16_t RT_RCDATA = 10;
inline constexpr std::uint16_t RT_MANIFEST = 24;
/// Every resource of the program is stored under this language (French, France).
inline constexpr std::uint16_t kResourceLanguage = 1036;

/// The raw bytes of the program's own resource, read in place, or nothing when there is no such
/// resource. The bytes live as long as the program.
std::optional<std::span<const std::uint8_t>> LoadResource(ResourceId type, ResourceId name,
                                                          std::uint16_t language = kResourceLanguage);

} // namespace platform
