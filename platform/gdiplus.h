#pragma once
// The graphics library as the program calls it: start-up and shut-down, and decoded images.

#include "platform/gdi.h"

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
/// Draws onto one device context; its world transform starts as the identity.
struct GpGraphics;
/// How an image's colours are adjusted while it is drawn.
struct GpImageAttributes;
/// A texture brush: an image repeated from the device context's origin.
struct GpBrush;

enum class ColorAdjustType : std::int32_t { Default = 0, Bitmap = 1 };
enum class ColorMatrixFlags : std::int32_t { Default = 0, SkipGrays = 1 };
enum class MatrixOrder : std::int32_t { Prepend = 0, Append = 1 };
enum class CoordinateSpace : std::int32_t { World = 0, Page = 1, Device = 2 };
enum class Unit : std::int32_t { Pixel = 2 };
enum class WrapMode : std::int32_t { Tile = 0, TileFlipX = 1, TileFlipY = 2, TileFlipXY = 3, Clamp = 4 };

/// Row-major 5 by 5; a pixel is the row vector (red, green, blue, alpha, 1) on a 0..1 scale,
/// multiplied by the matrix from the right.
struct ColorMatrix {
    float m[5][5];
};

struct GpPointF {
    float X;
    float Y;
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

/// Decodes the image file at the path (UTF-16, null-terminated). On failure `*image` stays null.
GpStatus GdipLoadImageFromFile(const char16_t* filename, GpImage** image);

/// Decodes an image (PNG with an alpha channel among the formats) from the stream's bytes, read in
/// place. On failure `*image` stays null.
GpStatus GdipLoadImageFromStream(const MemoryStream* stream, GpImage** image);

/// The image's size in pixels; nothing is written when it fails (as for a null image).
GpStatus GdipGetImageDimension(const GpImage* image, float* width, float* height);

GpStatus GdipDisposeImage(GpImage* image);

/// A graphics object that draws onto the device context's bitmap; fails for a null context.
GpStatus GdipCreateFromHDC(HDC hdc, GpGraphics** graphics);
GpStatus GdipDeleteGraphics(GpGraphics* graphics);

GpStatus GdipCreateImageAttributes(GpImageAttributes** attributes);
/// With ColorMatrixFlags::SkipGrays the matrix leaves alone every pixel whose red, green and blue
/// are equal, alpha included; the gray matrix is then not used.
GpStatus GdipSetImageAttributesColorMatrix(GpImageAttributes* attributes, ColorAdjustType type, bool enable,
                                           const ColorMatrix* colorMatrix, const ColorMatrix* grayMatrix,
                                           ColorMatrixFlags flags);
GpStatus GdipDisposeImageAttributes(GpImageAttributes* attributes);

/// Rotates the world transform by `angle` degrees (clockwise on the screen) about the origin.
GpStatus GdipRotateWorldTransform(GpGraphics* graphics, float angle, MatrixOrder order);
/// Converts the points in place from one coordinate space to another.
GpStatus GdipTransformPoints(GpGraphics* graphics, CoordinateSpace destination, CoordinateSpace source,
                             GpPointF* points, std::int32_t count);
/// Draws the source rectangle of the image into the destination rectangle through the world
/// transform and the attributes, blending by alpha. Fails, drawing nothing, for a null image.
GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, const GpImage* image, std::int32_t dstX, std::int32_t dstY,
                                std::int32_t dstWidth, std::int32_t dstHeight, std::int32_t srcX, std::int32_t srcY,
                                std::int32_t srcWidth, std::int32_t srcHeight, Unit srcUnit,
                                const GpImageAttributes* attributes, void* abortCallback, void* callbackData);

GpStatus GdipCreateTexture(const GpImage* image, WrapMode wrapMode, GpBrush** brush);
GpStatus GdipFillRectangleI(GpGraphics* graphics, const GpBrush* brush, std::int32_t x, std::int32_t y,
                            std::int32_t width, std::int32_t height);
GpStatus GdipDeleteBrush(GpBrush* brush);

} // namespace platform
