#include "platform/gdiplus.h"

#include "platform/gdi_qt.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace platform;

struct Turn {
    float angle;
    GpPointF device;
    GpPointF world;
};

class WorldRotation : public testing::TestWithParam<Turn> {};

// Which point of the turned world lands on a device point: the point turned back by the angle.
TEST_P(WorldRotation, TransformsDevicePointsToTheTurnedWorld)
{
    DeviceContext dc({10, 10}, Qt::black);
    GpGraphics* graphics = nullptr;
    ASSERT_EQ(GdipCreateFromHDC(&dc, &graphics), GpStatus::Ok);
    GpPointF point = GetParam().device;

    GdipRotateWorldTransform(graphics, GetParam().angle, MatrixOrder::Prepend);
    EXPECT_EQ(GdipTransformPoints(graphics, CoordinateSpace::World, CoordinateSpace::Device, &point, 1),
              GpStatus::Ok);
    GdipDeleteGraphics(graphics);

    EXPECT_NEAR(point.X, GetParam().world.X, 1e-4);
    EXPECT_NEAR(point.Y, GetParam().world.Y, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Angles, WorldRotation,
                         testing::Values(Turn{90, {160, 48}, {48, -160}}, Turn{-90, {160, 48}, {-48, 160}},
                                         Turn{180, {160, 48}, {-160, -48}}, Turn{0, {160, 48}, {160, 48}}));

TEST(Gdiplus, NoGraphicsObjectWithoutADeviceContext)
{
    GpGraphics* graphics = nullptr;
    EXPECT_NE(GdipCreateFromHDC(nullptr, &graphics), GpStatus::Ok);
    EXPECT_EQ(graphics, nullptr);
}

TEST(Gdiplus, DrawingANullImageFailsAndDrawsNothing)
{
    DeviceContext dc({10, 10}, Qt::black);
    const QImage before = dc.bitmap();
    GpGraphics* graphics = nullptr;
    ASSERT_EQ(GdipCreateFromHDC(&dc, &graphics), GpStatus::Ok);

    EXPECT_NE(GdipDrawImageRectRectI(graphics, nullptr, 0, 0, 5, 5, 0, 0, 5, 5, Unit::Pixel, nullptr, nullptr, nullptr),
              GpStatus::Ok);
    GdipDeleteGraphics(graphics);
    EXPECT_EQ(dc.bitmap(), before);
}

} // namespace
