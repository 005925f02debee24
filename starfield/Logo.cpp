#include "starfield/Logo.h"

#include "imaging/ModImage.h"
#include "platform/random.h"
#include "platform/rounding.h"

#include <optional>

namespace starfield {
namespace {

constexpr float kLogoAngle = 0;

} // namespace

void LogoStep(platform::Picture& Picture1)
{
    platform::Randomize();
    LogoOpacity = platform::Rnd();
    const std::int32_t k = platform::roundToInt32(platform::Rnd());
    if (k == 0) {
        if (!Logo)
            Logo = std::make_shared<imaging::Bitmap>();
        // The logo never changes, so once decoded it is kept rather than decoded again: what is
        // drawn is the same, and no frame pays for a decode.
        if (!Logo->Handle())
            Logo->FromResource(u"PNG", u"png");
    }
    const std::int32_t X = platform::roundToInt32(Picture1.outerWidth() / 2.0);
    const std::int32_t Y = platform::roundToInt32(Picture1.outerHeight() / 2.0);
    const platform::HDC hDC = Picture1.hDC();
    if (!Logo)
        Logo = std::make_shared<imaging::Bitmap>();
    imaging::DrawBitmap(*Logo, hDC, X, Y, std::nullopt, std::nullopt, LogoOpacity, kLogoAngle);
}

} // namespace starfield
