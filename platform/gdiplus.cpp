#include "platform/gdiplus.h"

namespace platform {

// Painting runs on Qt, which needs no start-up of its own: the token only pairs the two calls.
GpStatus GdiplusStartup(std::uint32_t* token, const GdiplusStartupInput* input, void* output)
{
    if (!token || !input || output)
        return GpStatus::InvalidParameter;
    if (input->GdiplusVersion != 1)
        return GpStatus::UnsupportedGdiplusVersion;
    *token = 1;
    return GpStatus::Ok;
}

void GdiplusShutdown(std::uint32_t)
{
}

} // namespace platform
