#pragma once
// The graphics objects inside the platform layer: images ready for blending, and the drawing
// surface a graphics object paints on; and how handles to them are given out and taken back.

#include "platform/gdiplus.h"

#include <QImage>
#include <QTransform>

#include <memory>
#include <optional>
#include <utility>

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

// The flat interface hands out plain handles; each delete or dispose function takes ownership back.
template<typename Object, typename... Args>
GpStatus make(Object** out, Args&&... args)
{
    if (!out)
        return GpStatus::InvalidParameter;
    *out = std::make_unique<Object>(Object{std::forward<Args>(args)...}).release();
    return GpStatus::Ok;
}

template<typename Object>
GpStatus destroy(Object* object)
{
    if (!object)
        return GpStatus::InvalidParameter;
    std::unique_ptr<Object> owned(object);
    return GpStatus::Ok;
}

inline bool isGrey(QRgb pixel)
{
    return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
}

} // namespace platform
