#include "imaging/Bitmap.h"

#include "platform/resources.h"
#include "temp_folder.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using imaging::Bitmap;

struct Load {
    const char* what;
    std::function<void(Bitmap&)> run;
};

const Load kLogo{"logo", [](Bitmap& b) { b.FromResource(u"PNG", u"png"); }};
const Load kLogoOtherCase{"logo in other case", [](Bitmap& b) { b.FromResource(u"png", u"PNG"); }};
const Load kMissing{"missing resource", [](Bitmap& b) { b.FromResource(u"PNG", u"NOPE"); }};
const Load kEmpty{"zero-byte resource", [](Bitmap& b) { b.FromResource(u"TEST", u"EMPTY"); }};
const Load kGarbage{"resource that is no image", [](Bitmap& b) { b.FromResource(u"TEST", u"GARBAGE"); }};
const Load kNoFile{"missing file", [](Bitmap& b) { b.FromFile(u"/no/such/logo.png"); }};

struct HolderCase {
    const char* name;
    std::vector<Load> loads;
    bool holdsImage;
    float width;
    float height;
};

class BitmapStates : public testing::TestWithParam<HolderCase> {};

TEST_P(BitmapStates, AfterTheLoads)
{
    Bitmap bitmap;
    for (const Load& load : GetParam().loads)
        load.run(bitmap);

    EXPECT_EQ(bitmap.Handle() != nullptr, GetParam().holdsImage);
    EXPECT_EQ(bitmap.Width(), GetParam().width);
    EXPECT_EQ(bitmap.Height(), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(
    Holder, BitmapStates,
    testing::Values(HolderCase{"New", {}, false, 0, 0},
                    HolderCase{"Logo", {kLogo}, true, 227, 62},
                    HolderCase{"LogoByAnyCase", {kLogoOtherCase}, true, 227, 62},
                    HolderCase{"LogoTwice", {kLogo, kLogo}, true, 227, 62},
                    HolderCase{"Missing", {kMissing}, false, 0, 0},
                    HolderCase{"ZeroBytes", {kEmpty}, false, 0, 0},
                    HolderCase{"NotAnImage", {kGarbage}, false, 0, 0},
                    HolderCase{"MissingFile", {kNoFile}, false, 0, 0},
                    HolderCase{"LogoThenMissingKeepsSize", {kLogo, kMissing}, false, 227, 62},
                    HolderCase{"LogoThenZeroBytesKeepsSize", {kLogo, kEmpty}, false, 227, 62},
                    HolderCase{"LogoThenNotAnImageKeepsSize", {kLogo, kGarbage}, false, 227, 62},
                    HolderCase{"LogoThenMissingFileKeepsSize", {kLogo, kNoFile}, false, 227, 62},
                    HolderCase{"NotAnImageThenLogo", {kGarbage, kLogo}, true, 227, 62}),
    [](const testing::TestParamInfo<HolderCase>& info) { return std::string(info.param.name); });

TEST(Bitmap, LoadsAnImageFile)
{
    TempFolder folder;
    const auto logo = platform::LoadResource(u"PNG", u"PNG");
    ASSERT_TRUE(logo);
    writeBytes(folder / "logo.png", {reinterpret_cast<const char*>(logo->data()), logo->size()});

    Bitmap bitmap;
    bitmap.FromFile((folder / "logo.png").u16string());

    EXPECT_NE(bitmap.Handle(), nullptr);
    EXPECT_EQ(bitmap.Width(), 227);
    EXPECT_EQ(bitmap.Height(), 62);
}

// The logo is drawn with its own alpha whatever the opacity only because every visible pixel is
// pure white; its soft edges are what keep it from looking cut out.
TEST(Logo, IsWhiteWithSoftEdgesOnTransparency)
{
    const auto bytes = platform::LoadResource(u"PNG", u"PNG");
    ASSERT_TRUE(bytes);
    const QImage logo = QImage::fromData(bytes->data(), static_cast<int>(bytes->size()), "PNG");
    ASSERT_EQ(logo.size(), QSize(227, 62));
    ASSERT_TRUE(logo.hasAlphaChannel());

    const QImage pixels = logo.convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    int soft = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb pixel = pixels.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            ASSERT_EQ(pixel | 0xFF000000u, 0xFFFFFFFFu) << "pixel " << x << "," << y << " is not pure white";
            qAlpha(pixel) == 255 ? ++opaque : ++soft;
        }
    }
    EXPECT_GT(opaque, 1000) << "the name is drawn solid";
    EXPECT_GT(soft, 100) << "its edges are anti-aliased";
}

} // namespace
