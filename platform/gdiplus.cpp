#include "platform/gdiplus.h"

#include "platform/gdiplus_image_p.h"
#include "platform/stream.h"

#include <QFileInfo>


namespace platform {
namespace {

bool hasOnlyGreyVisiblePixels(const QImage& straight)
{
    for (int y = 0; y < straight.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb pixel = row[x];
            if (qAlpha(pixel) != 0 && !isGrey(pixel))
                return false;
        }
    }
    return true;
}

GpStatus adopt(const QImage& decoded, GpImage** image)
{
    if (decoded.isNull())
        return GpStatus::UnknownImageFormat;
    return make(image, decoded);
}

} // namespace

GpImage::GpImage(const QImage& decoded)
    : straight(decoded.convertToFormat(QImage::Format_ARGB32))
    , premultiplied(decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied))
    , allGrey(hasOnlyGreyVisiblePixels(straight))
{
}

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

GpStatus GdipLoadImageFromFile(const char16_t* filename, GpImage** image)
{
    if (!filename || !image)
        return GpStatus::InvalidParameter;
    const QString path = QString::fromUtf16(filename);
    if (!QFileInfo(path).isFile())
        return GpStatus::FileNotFound;
    return adopt(QImage(path), image);
}

GpStatus GdipLoadImageFromStream(const MemoryStream* stream, GpImage** image)
{
    if (!stream || !image)
        return GpStatus::InvalidParameter;
    const auto bytes = stream->data();
    return adopt(QImage::fromData(bytes.data(), static_cast<int>(bytes.size())), image);
}

GpStatus GdipGetImageDimension(const GpImage* image, float* width, float* height)
{
    if (!image || !width || !height)
        return GpStatus::InvalidParameter;
    *width = static_cast<float>(image->straight.width());
    *height = static_cast<float>(image->straight.height());
    return GpStatus::Ok;
}

GpStatus GdipDisposeImage(GpImage* image)
{
    return destroy(image);
}

} // namespace platform
