#include "imaging/ModImage.h"

#include "platform/gdi_qt.h"
#include "temp_folder.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using imaging::Bitmap;
using imaging::DrawBitmap;

// A holder loaded with `image`, through a file as the program could load one.
class LoadedBitmap {
public:
    explicit LoadedBitmap(const QImage& image)
    {
        image.save(QString::fromStdString((m_folder / "image.png").string()), "PNG");
        bitmap.FromFile((m_folder / "image.png").u16string());
    }

    Bitmap bitmap;

private:
    TempFolder m_folder;
};

QImage solid(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// The smallest rectangle holding every pixel that is not black.
QRect drawnArea(const QImage& bitmap)
{
    QRect area;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            if ((bitmap.pixel(x, y) & 0xFFFFFF) != 0)
                area |= QRect(x, y, 1, 1);
    return area;
}

struct Placement {
    const char* name;
    QSize image;
    std::int32_t X;
    std::int32_t Y;
    std::optional<double> DestWidth;
    std::optional<double> DestHeight;
    float Angle;
    QRect drawn;
};

class DrawBitmapPlacement : public testing::TestWithParam<Placement> {};

TEST_P(DrawBitmapPlacement, DrawsUnscaledCentredOnThePoint)
{
    const Placement& row = GetParam();
    LoadedBitmap image(solid(row.image.width(), row.image.height(), Qt::white));
    platform::DeviceContext dc({400, 200}, Qt::black);

    DrawBitmap(image.bitmap, &dc, row.X, row.Y, row.DestWidth, row.DestHeight, 1.0f, row.Angle);

    EXPECT_EQ(drawnArea(dc.bitmap()), row.drawn);
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Rectangles, DrawBitmapPlacement,
    testing::Values(
        // 160 - 113.5 = 46.5 rounds to 46; 48 - 31 = 17.
        Placement{"LogoAt160And48", {227, 62}, 160, 48, {}, {}, 0, {46, 17, 227, 62}},
        Placement{"HalfRoundsDownToEven", {227, 62}, 114, 48, {}, {}, 0, {0, 17, 227, 62}},
        Placement{"HalfRoundsUpToEven", {227, 62}, 115, 48, {}, {}, 0, {2, 17, 227, 62}},
        Placement{"HalfRoundsDownToEvenAgain", {227, 62}, 116, 48, {}, {}, 0, {2, 17, 227, 62}},
        Placement{"TopIsYLess31", {227, 62}, 160, 100, {}, {}, 0, {46, 69, 227, 62}},
        Placement{"PartOfALargerImage", {300, 80}, 200, 100, 100.0, 50.0, 0, {150, 75, 100, 50}},
        // The width rounds to 100 on its own, the left edge from 100.5: 200 - 50.25 = 149.75.
        Placement{"FractionalWidth", {300, 80}, 200, 100, 100.5, 50.0, 0, {150, 75, 100, 50}},
        Placement{"MinusZeroTurnsNothing", {227, 62}, 160, 48, {}, {}, -0.0f, {46, 17, 227, 62}},
        Placement{"NotANumberTurnsNothing", {227, 62}, 160, 48, {}, {}, kNaN, {46, 17, 227, 62}},
        // A quarter turn clockwise about its centre: 40 by 20 becomes 20 by 40 around (100, 50).
        Placement{"QuarterTurn", {40, 20}, 100, 50, {}, {}, 90, {90, 30, 20, 40}}),
    [](const testing::TestParamInfo<Placement>& info) { return std::string(info.param.name); });

TEST(DrawBitmap, OpacityScalesTheAlphaOfColouredPixelsAndLeavesGreysAsStored)
{
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(128, 128, 128, 255)); // grey
    image.setPixel(1, 0, qRgba(255, 255, 255, 128)); // white, half covering
    image.setPixel(2, 0, qRgba(255, 0, 0, 255));     // red
    LoadedBitmap bitmap(image);

    struct Row {
        float opacity;
        QRgb grey, white, red;
    };
    for (const Row& row : {Row{0.0f, qRgb(128, 128, 128), qRgb(128, 128, 128), qRgb(0, 0, 0)},
                           Row{0.5f, qRgb(128, 128, 128), qRgb(128, 128, 128), qRgb(128, 0, 0)},
                           Row{1.0f, qRgb(128, 128, 128), qRgb(128, 128, 128), qRgb(255, 0, 0)}}) {
        platform::DeviceContext dc({8, 3}, Qt::black);
        DrawBitmap(bitmap.bitmap, &dc, 3, 1, std::nullopt, std::nullopt, row.opacity, 0.0f);
        // Left 3 - 1.5 rounds to 2, top 1 - 0.5 to 0.
        const QImage& drawn = dc.bitmap();
        EXPECT_EQ(drawn.pixel(1, 0), qRgb(0, 0, 0)) << "nothing left of the image";
        EXPECT_EQ(drawn.pixel(2, 0), row.grey) << row.opacity;
        EXPECT_NEAR(qRed(drawn.pixel(3, 0)), qRed(row.white), 1) << row.opacity;
        EXPECT_NEAR(qRed(drawn.pixel(4, 0)), qRed(row.red), 1) << row.opacity;
        EXPECT_EQ(qGreen(drawn.pixel(4, 0)), 0) << row.opacity;
    }
}

TEST(DrawBitmap, AnEmptyHolderOrNoDeviceContextDrawsNothing)
{
    platform::DeviceContext dc({40, 20}, Qt::black);
    const QImage before = dc.bitmap();
    Bitmap empty;
    LoadedBitmap image(solid(10, 10, Qt::white));

    DrawBitmap(empty, &dc, 20, 10, std::nullopt, std::nullopt, 1.0f, 0.0f);
    DrawBitmap(image.bitmap, nullptr, 20, 10, std::nullopt, std::nullopt, 1.0f, 0.0f);
    imaging::FillRectWithBitmap(empty, &dc, 0, 0, 40, 20, platform::WrapMode::Tile);
    imaging::FillRectWithBitmap(image.bitmap, nullptr, 0, 0, 40, 20, platform::WrapMode::Tile);

    EXPECT_EQ(dc.bitmap(), before);
}

TEST(FillRectWithBitmap, TilesStartAtTheDeviceContextsOrigin)
{
    QImage tile(2, 2, QImage::Format_ARGB32);
    tile.setPixel(0, 0, qRgb(255, 0, 0));
    tile.setPixel(1, 0, qRgb(0, 255, 0));
    tile.setPixel(0, 1, qRgb(0, 0, 255));
    tile.setPixel(1, 1, qRgb(255, 255, 255));
    LoadedBitmap image(tile);
    platform::DeviceContext dc({6, 6}, Qt::black);

    imaging::FillRectWithBitmap(image.bitmap, &dc, 1, 1, 3, 3, platform::WrapMode::Tile);

    const QImage& drawn = dc.bitmap();
    EXPECT_EQ(drawn.pixel(0, 0), qRgb(0, 0, 0)) << "outside the rectangle";
    EXPECT_EQ(drawn.pixel(1, 1), tile.pixel(1, 1));
    EXPECT_EQ(drawn.pixel(2, 1), tile.pixel(0, 1));
    EXPECT_EQ(drawn.pixel(2, 2), tile.pixel(0, 0));
    EXPECT_EQ(drawn.pixel(3, 3), tile.pixel(1, 1));
    EXPECT_EQ(drawn.pixel(4, 4), qRgb(0, 0, 0)) << "outside the rectangle";
}

} // namespace
