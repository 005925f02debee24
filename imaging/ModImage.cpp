#include "imaging/ModImage.h"

#include "platform/rounding.h"

#include <cmath>

namespace imaging {
namespace {

// Red, green and blue pass unchanged; alpha is multiplied by the opacity.
platform::ColorMatrix opacityMatrix(float Opacity)
{
    platform::ColorMatrix matrix{};
    matrix.m[0][0] = 1.0f;
    matrix.m[1][1] = 1.0f;
    matrix.m[2][2] = 1.0f;
    matrix.m[3][3] = Opacity;
    matrix.m[4][4] = 1.0f;
    return matrix;
}

} // namespace

void DrawBitmap(const Bitmap& Img, platform::HDC hDC, std::int32_t X, std::int32_t Y,
                std::optional<double> DestWidth, std::optional<double> DestHeight, float Opacity, const float& Angle)
{
    using namespace platform;

    GpGraphics* graphics = nullptr;
    if (GdipCreateFromHDC(hDC, &graphics) != GpStatus::Ok)
        return;
    GpImageAttributes* attributes = nullptr;
    GdipCreateImageAttributes(&attributes);
    const ColorMatrix matrix = opacityMatrix(Opacity);
    GdipSetImageAttributesColorMatrix(attributes, ColorAdjustType::Bitmap, true, &matrix, &matrix,
                                      ColorMatrixFlags::SkipGrays);

    const double width = DestWidth.value_or(Img.Width());
    const double height = DestHeight.value_or(Img.Height());
    GpPointF P{static_cast<float>(X), static_cast<float>(Y)};

    // An angle that is not a number compares as equal to 0, as the program has always taken it.
    if (Angle != 0 && !std::isnan(Angle)) {
        GdipRotateWorldTransform(graphics, Angle, MatrixOrder::Prepend);
        GdipTransformPoints(graphics, CoordinateSpace::World, CoordinateSpace::Device, &P, 1);
    }

    GpImage* const handle = Img.Handle();
    // The sizes are rounded on their own; left and top use the unrounded sizes.
    const std::int32_t left = roundToInt32(P.X + (-0.5) * width);
    const std::int32_t top = roundToInt32(P.Y + (-0.5) * height);
    const std::int32_t w = roundToInt32(width);
    const std::int32_t h = roundToInt32(height);
    GdipDrawImageRectRectI(graphics, handle, left, top, w, h, 0, 0, w, h, Unit::Pixel, attributes, nullptr, nullptr);

    GdipDisposeImageAttributes(attributes);
    GdipDeleteGraphics(graphics);
}

void FillRectWithBitmap(const Bitmap& Img, platform::HDC hDC, std::int32_t X, std::int32_t Y, std::int32_t FillWidth,
                        std::int32_t FillHeight, const platform::WrapMode& WrapMode)
{
    using namespace platform;

    GpGraphics* graphics = nullptr;
    if (GdipCreateFromHDC(hDC, &graphics) != GpStatus::Ok)
        return;
    GpImage* const handle = Img.Handle();
    GpBrush* brush = nullptr;
    GdipCreateTexture(handle, WrapMode, &brush);
    GdipFillRectangleI(graphics, brush, X, Y, FillWidth, FillHeight);
    GdipDeleteBrush(brush);
    GdipDeleteGraphics(graphics);
}

} // namespace imaging
