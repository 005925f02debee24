#pragma once
// A look at an Extended Module's structure before the player trusts it with its audio thread.

#include <cstdint>
#include <span>

namespace platform {

/// True when the bytes are an XM module of format 1.04 whose every declared part (header, patterns,
/// instruments, sample headers and sample data) lies inside them. The renderer alone would also
/// play a module cut short, as silence or half a song.
bool isWholeXmModule(std::span<const std::uint8_t> bytes);

} // namespace platform
