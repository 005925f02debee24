// Drawing with the graphics objects: colour-adjusted, alpha-blended images and texture fills,
// painted into a device context's backing image.

#include "platform/gdi_qt.h"
#include "platform/gdiplus_image_p.h"

#include <QPainter>

#include <algorithm>
#include <span>

namespace platform {
namespace {

QRgb applyMatrix(const ColorMatrix& matrix, QRgb pixel)
{
    const float in[5] = {qRed(pixel) / 255.0f, qGreen(pixel) / 255.0f, qBlue(pixel) / 255.0f,
                         qAlpha(pixel) / 255.0f, 1.0f};
    int out[4];
    for (int column = 0; column < 4; ++column) {
        float sum = 0;
        for (int row = 0; row < 5; ++row)
            sum += in[row] * matrix.m[row][column];
        out[column] = static_cast<int>(std::clamp(sum, 0.0f, 1.0f) * 255.0f + 0.5f);
    }
    return qPremultiply(qRgba(out[0], out[1], out[2], out[3]));
}

// The part of the image to draw, with the colour matrix applied to every pixel it is meant for.
QImage adjustedPixels(const GpImage& image, const QRect& source, const GpImageAttributes* attributes)
{
    const bool skipGreys = attributes && attributes->flags == ColorMatrixFlags::SkipGrays;
    if (!attributes || !attributes->matrix || (skipGreys && image.allGrey))
        return source == image.premultiplied.rect() ? image.premultiplied : image.premultiplied.copy(source);

    QImage adjusted(source.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.straight.constScanLine(source.top() + y)) + source.left();
        const auto* premultiplied =
            reinterpret_cast<const QRgb*>(image.premultiplied.constScanLine(source.top() + y)) + source.left();
        auto* out = reinterpret_cast<QRgb*>(adjusted.scanLine(y));
        for (int x = 0; x < source.width(); ++x)
            out[x] = (skipGreys && isGrey(in[x])) ? premultiplied[x] : applyMatrix(*attributes->matrix, in[x]);
    }
    return adjusted;
}

// One tile of the texture; flipping modes tile a 2 by 2 block of mirror images.
QImage textureTile(const QImage& image, WrapMode mode)
{
    const bool flipX = mode == WrapMode::TileFlipX || mode == WrapMode::TileFlipXY;
    const bool flipY = mode == WrapMode::TileFlipY || mode == WrapMode::TileFlipXY;
    if (!flipX && !flipY)
        return image;
    QImage tile(image.width() * (flipX ? 2 : 1), image.height() * (flipY ? 2 : 1), image.format());
    QPainter painter(&tile);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, image);
    if (flipX)
        painter.drawImage(image.width(), 0, image.mirrored(true, false));
    if (flipY)
        painter.drawImage(0, image.height(), image.mirrored(false, true));
    if (flipX && flipY)
        painter.drawImage(image.width(), image.height(), image.mirrored(true, true));
    return tile;
}

} // namespace

GpStatus GdipCreateFromHDC(HDC hdc, GpGraphics** graphics)
{
    if (!hdc || hdc->bitmap().isNull())
        return GpStatus::InvalidParameter;
    return make(graphics, &hdc->bitmap(), QTransform());
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics)
{
    return destroy(graphics);
}

GpStatus GdipCreateImageAttributes(GpImageAttributes** attributes)
{
    return make(attributes);
}

GpStatus GdipSetImageAttributesColorMatrix(GpImageAttributes* attributes, ColorAdjustType type, bool enable,
                                           const ColorMatrix* colorMatrix, const ColorMatrix*, ColorMatrixFlags flags)
{
    if (!attributes || (enable && !colorMatrix))
        return GpStatus::InvalidParameter;
    // Only bitmaps are ever drawn, so the bitmap and default adjustments are one and the same.
    (void)type;
    attributes->matrix = enable ? std::optional<ColorMatrix>(*colorMatrix) : std::nullopt;
    attributes->flags = flags;
    return GpStatus::Ok;
}

GpStatus GdipDisposeImageAttributes(GpImageAttributes* attributes)
{
    return destroy(attributes);
}

GpStatus GdipRotateWorldTransform(GpGraphics* graphics, float angle, MatrixOrder order)
{
    if (!graphics)
        return GpStatus::InvalidParameter;
    QTransform rotation;
    rotation.rotate(angle);
    graphics->world = order == MatrixOrder::Prepend ? rotation * graphics->world : graphics->world * rotation;
    return GpStatus::Ok;
}

GpStatus GdipTransformPoints(GpGraphics* graphics, CoordinateSpace destination, CoordinateSpace source,
                             GpPointF* points, std::int32_t count)
{
    if (!graphics || !points || count < 0)
        return GpStatus::InvalidParameter;
    // The page transform is the identity (one unit, one pixel), so page and device are the same.
    const auto toDevice = [&](CoordinateSpace space) {
        return space == CoordinateSpace::World ? graphics->world : QTransform();
    };
    bool invertible = true;
    const QTransform mapping = toDevice(source) * toDevice(destination).inverted(&invertible);
    if (!invertible)
        return GpStatus::GenericError;
    for (GpPointF& point : std::span(points, static_cast<std::size_t>(count))) {
        const QPointF mapped = mapping.map(QPointF(point.X, point.Y));
        point = {static_cast<float>(mapped.x()), static_cast<float>(mapped.y())};
    }
    return GpStatus::Ok;
}

GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, const GpImage* image, std::int32_t dstX, std::int32_t dstY,
                                std::int32_t dstWidth, std::int32_t dstHeight, std::int32_t srcX, std::int32_t srcY,
                                std::int32_t srcWidth, std::int32_t srcHeight, Unit srcUnit,
                                const GpImageAttributes* attributes, void*, void*)
{
    if (!graphics || !image || srcUnit != Unit::Pixel)
        return GpStatus::InvalidParameter;
    const QRect wanted(srcX, srcY, srcWidth, srcHeight);
    const QRect source = wanted.intersected(image->premultiplied.rect());
    if (source.isEmpty() || dstWidth <= 0 || dstHeight <= 0)
        return GpStatus::Ok;

    const QImage pixels = adjustedPixels(*image, source, attributes);
    QPainter painter(graphics->target);
    painter.setTransform(graphics->world);
    const QRectF destination(dstX + (source.left() - wanted.left()) * double(dstWidth) / srcWidth,
                             dstY + (source.top() - wanted.top()) * double(dstHeight) / srcHeight,
                             source.width() * double(dstWidth) / srcWidth,
                             source.height() * double(dstHeight) / srcHeight);
    if (graphics->world.isIdentity() && destination.size() == QSizeF(source.size())) {
        painter.drawImage(destination.topLeft(), pixels);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(destination, pixels);
    }
    return GpStatus::Ok;
}

GpStatus GdipCreateTexture(const GpImage* image, WrapMode wrapMode, GpBrush** brush)
{
    if (!image)
        return GpStatus::InvalidParameter;
    const bool clamp = wrapMode == WrapMode::Clamp;
    return make(brush, clamp ? image->premultiplied : textureTile(image->premultiplied, wrapMode), clamp);
}

GpStatus GdipFillRectangleI(GpGraphics* graphics, const GpBrush* brush, std::int32_t x, std::int32_t y,
                            std::int32_t width, std::int32_t height)
{
    if (!graphics || !brush)
        return GpStatus::InvalidParameter;
    QPainter painter(graphics->target);
    painter.setTransform(graphics->world);
    // The brush's tiles start at the device context's origin, not at the rectangle's corner.
    const QRect area(x, y, width, height);
    if (brush->clamp) {
        painter.setClipRect(area);
        painter.drawImage(0, 0, brush->tile);
    } else {
        painter.fillRect(area, QBrush(brush->tile));
    }
    return GpStatus::Ok;
}

GpStatus GdipDeleteBrush(GpBrush* brush)
{
    return destroy(brush);
}

} // namespace platform
