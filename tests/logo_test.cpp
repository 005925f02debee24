#include "starfield/Logo.h"

#include "fake_starfield_window.h"
#include "platform/resources.h"

#include <gtest/gtest.h>

namespace {

using starfield::Logo;
using starfield::LogoStep;

// The logo as stored, to hold the surface up to.
QImage storedLogo()
{
    const auto bytes = platform::LoadResource(u"PNG", u"PNG");
    return bytes ? QImage::fromData(bytes->data(), static_cast<int>(bytes->size())).convertToFormat(QImage::Format_ARGB32)
                 : QImage();
}

// How many opaque pixels of the logo are not white on the surface with the logo at `topLeft`.
int misses(const QImage& surface, QPoint topLeft)
{
    const QImage logo = storedLogo();
    int count = 0;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x)
            if (qAlpha(logo.pixel(x, y)) == 255 && surface.pixel(topLeft + QPoint(x, y)) != qRgb(255, 255, 255))
                ++count;
    return count;
}

// Frames of the logo step until one has loaded the logo: each does so with a chance of one half.
void stepUntilLoaded(FakePicture& picture)
{
    for (int frame = 0; frame < 64 && !(Logo && Logo->Handle()); ++frame)
        LogoStep(picture);
    ASSERT_TRUE(Logo && Logo->Handle()) << "64 frames without a load";
}

class LogoStepTest : public testing::Test {
protected:
    void SetUp() override { Logo.reset(); }
    void TearDown() override { Logo.reset(); }
};

TEST_F(LogoStepTest, TheFirstFrameMakesTheHolderEvenWhenItLoadsNothing)
{
    Journal journal;
    FakePicture picture(journal, {318, 95});
    LogoStep(picture);

    ASSERT_NE(Logo, nullptr);
}

struct Centre {
    QSize inner;
    QPoint topLeft; // of the 227 by 62 logo
};

class LogoPlace : public testing::TestWithParam<Centre> {
protected:
    void SetUp() override { Logo.reset(); }
    void TearDown() override { Logo.reset(); }
};

// The logo centres on half the outer size (border included), rounded halves to even.
TEST_P(LogoPlace, StandsWholeAndWhiteCentredOnTheSurface)
{
    Journal journal;
    FakePicture picture(journal, GetParam().inner);
    stepUntilLoaded(picture);
    LogoStep(picture);

    EXPECT_EQ(misses(picture.bitmap(), GetParam().topLeft), 0);
    EXPECT_EQ(picture.bitmap().pixel(GetParam().topLeft + QPoint(-1, 31)), qRgb(0, 0, 0)) << "nothing left of it";
}

INSTANTIATE_TEST_SUITE_P(Surfaces, LogoPlace,
                         testing::Values(Centre{{318, 95}, {46, 17}},   // outer 320 by 97: (160, 48)
                                         Centre{{319, 97}, {46, 19}})); // outer 321 by 99: (160, 50)

TEST_F(LogoStepTest, ErasedPointsInsideTheLogoAreWhiteAgainAfterTheNextFrame)
{
    Journal journal;
    FakePicture picture(journal, {318, 95});
    stepUntilLoaded(picture);
    const QImage logo = storedLogo();
    QPoint opaque;
    for (int x = 0; x < logo.width() && opaque.isNull(); ++x)
        if (qAlpha(logo.pixel(x, 31)) == 255)
            opaque = QPoint(46 + x, 17 + 31);
    ASSERT_FALSE(opaque.isNull());

    platform::SetPixelV(picture.hDC(), opaque.x(), opaque.y(), 0);
    LogoStep(picture);

    EXPECT_EQ(picture.bitmap().pixel(opaque), qRgb(255, 255, 255));
}

TEST_F(LogoStepTest, TheLogoIsDecodedOnceAndKept)
{
    Journal journal;
    FakePicture picture(journal, {318, 95});
    stepUntilLoaded(picture);
    const platform::GpImage* const decoded = Logo->Handle();

    for (int frame = 0; frame < 32; ++frame)
        LogoStep(picture);

    EXPECT_EQ(Logo->Handle(), decoded);
    EXPECT_EQ(Logo->Width(), 227);
    EXPECT_EQ(Logo->Height(), 62);
}

} // namespace
