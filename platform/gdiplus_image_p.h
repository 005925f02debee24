#pragma once
// What a decoded image is inside the platform layer: pixels ready for blending.

#include "platform/gdiplus.h"

#include <QImage>

namespace platform {

struct GpImage {
    QImage pixels; ///< Format_ARGB32_Premultiplied
};

} // namespace platform
