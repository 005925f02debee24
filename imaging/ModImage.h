#pragma once
// ModImage: drawing a Bitmap's image onto a device context.

#include "imaging/Bitmap.h"
#include "platform/gdi.h"
#include "platform/gdiplus.h"

#include <cstdint>
#include <optional>

namespace imaging {

/// Draws the image of `Img` centred on (X, Y), unscaled: the DestWidth by DestHeight pixels at its
/// top-left corner (the whole image when they are omitted). Every pixel that is not grey has its
/// alpha multiplied by `Opacity`; a non-zero `Angle` turns the drawing that many degrees clockwise
/// about its centre. Nothing is drawn when no graphics object can be made for `hDC`.
void DrawBitmap(const Bitmap& Img, platform::HDC hDC, std::int32_t X, std::int32_t Y,
                std::optional<double> DestWidth, std::optional<double> DestHeight, float Opacity, const float& Angle);

/// Fills the rectangle with the image as a texture whose tiles start at the device context's origin.
void FillRectWithBitmap(const Bitmap& Img, platform::HDC hDC, std::int32_t X, std::int32_t Y, std::int32_t FillWidth,
                        std::int32_t FillHeight, const platform::WrapMode& WrapMode);

} // namespace imaging
