#pragma once
// The table of resources that the build compiles into the program (see cmake/EmbedResources.cmake).

#include "platform/resources.h"

#include <cstdint>
#include <span>

namespace platform::detail {

struct CompiledResource {
    ResourceId type;
    ResourceId name;
    std::uint16_t language;
    std::span<const std::uint8_t> bytes;
};

std::span<const CompiledResource> compiledResources();

} // namespace platform::detail
