#pragma once
// The graphics objects inside the platform layer: images ready for blending, and the drawing
// surface a graphics object paints on.

#include "platform/gdiplus.h"

#include <QImage>
#include <QTransform>

#include <optional>

namespace platform {

struct GpImage {
    explicit GpImage(const QImage& decoded);

    QImage straight;      ///< Format_ARGB32: the colours as stored, for the colour matrix
    QImage premultiplied; ///< Format_ARGB32_Premultiplied: what is blended
    bool allGrey;         ///< every visible pixel has red = green = blue
};

struct GpGraphics {
    QImage* target;
    QTransform world;
};

struct GpImageAttributes {
    std::optional<ColorMatrix> matrix;
    ColorMatrixFlags flags = ColorMatrixFlags::Default;
};

struct GpBrush {
    QImage tile;
    bool clamp; ///< drawn once at the origin instead of repeated
};

} // namespace platform
