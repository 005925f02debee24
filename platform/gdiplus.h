#pragma once
// The graphics library's start-up and shut-down, as the program calls them at its start.

#include <cstdint>

namespace platform {

enum class GpStatus : std::int32_t {
    Ok = 0,
    InvalidParameter = 2,
    UnsupportedGdiplusVersion = 17,
};

struct GdiplusStartupInput {
    std::uint32_t GdiplusVersion = 1;
    std::uint32_t DebugEventCallback = 0;
    std::uint32_t SuppressBackgroundThread = 0;
    std::uint32_t SuppressExternalCodecs = 0;
};

/// Starts the graphics library and fills in the token that GdiplusShutdown takes back. Only
/// version 1 is known; the output record is not offered, so `output` must be null.
GpStatus GdiplusStartup(std::uint32_t* token, const GdiplusStartupInput* input, void* output);

void GdiplusShutdown(std::uint32_t token);

} // namespace platform
