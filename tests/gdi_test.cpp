#include "platform/gdi_qt.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using platform::SetPixelV;

TEST(SetPixelV, TakesColoursAs0x00BBGGRR)
{
    platform::DeviceContext dc({4, 3}, Qt::black);
    struct Case {
        platform::COLORREF colour;
        QRgb pixel;
    };
    const Case cases[] = {
        {0x0000FF, qRgb(255, 0, 0)},
        {0x00FF00, qRgb(0, 255, 0)},
        {0xFF0000, qRgb(0, 0, 255)},
        {0x123456, qRgb(0x56, 0x34, 0x12)},
        {0xAB123456, qRgb(0x56, 0x34, 0x12)}, // the top byte is not a colour
        {0, qRgb(0, 0, 0)},
    };
    for (const Case& row : cases) {
        EXPECT_TRUE(SetPixelV(&dc, 2, 1, row.colour));
        EXPECT_EQ(dc.bitmap().pixel(2, 1), row.pixel) << std::hex << row.colour;
    }
    EXPECT_EQ(dc.bitmap().pixel(1, 1), qRgb(0, 0, 0)) << "one pixel only";
}

TEST(SetPixelV, DrawsNothingOutsideTheBitmapOrWithoutADeviceContext)
{
    platform::DeviceContext dc({4, 3}, Qt::darkGray);
    const QImage before = dc.bitmap().copy();
    const std::int32_t places[][2] = {{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {4, 3}, {INT_MIN, 0}, {0, INT_MAX}, {371, 48}};
    for (const auto& place : places)
        EXPECT_FALSE(SetPixelV(&dc, place[0], place[1], 0xFFFFFF)) << place[0] << ", " << place[1];
    EXPECT_FALSE(SetPixelV(nullptr, 0, 0, 0xFFFFFF));

    EXPECT_EQ(dc.bitmap(), before);
    EXPECT_TRUE(SetPixelV(&dc, 3, 2, 0xFFFFFF)) << "the last pixel inside";
}

TEST(SetPixelV, LeavesCopiesTakenBeforeAlone)
{
    platform::DeviceContext dc({4, 3}, Qt::black);
    const QImage copy = dc.bitmap();
    SetPixelV(&dc, 0, 0, 0xFFFFFF);

    EXPECT_EQ(copy.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(dc.bitmap().pixel(0, 0), qRgb(255, 255, 255));
}

} // namespace
