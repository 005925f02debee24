#pragma once
// The graphics library as the program calls it: start-up and shut-down, and decoded images.

#include <cstdint>

namespace platform {

class MemoryStream;

enum class GpStatus : std::int32_t {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    FileNotFound = 10,
    UnknownImageFormat = 13,
    UnsupportedGdiplusVersion = 17,
};

/// A decoded image. Made by the two loads, freed by GdipDisposeImage.
struct GpImage;

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

/// Decodes the image file at the path (UTF-16, null-terminated). On failure `*image` stays null.
GpStatus GdipLoadImageFromFile(const char16_t* filename, GpImage** image);

/// Decodes an image (PNG with an alpha channel among the formats) from the stream's bytes, read in
/// place. On failure `*image` stays null.
GpStatus GdipLoadImageFromStream(const MemoryStream* stream, GpImage** image);

/// The image's size in pixels; nothing is written when it fails (as for a null image).
GpStatus GdipGetImageDimension(const GpImage* image, float* width, float* height);

GpStatus GdipDisposeImage(GpImage* image);

} // namespace platform
