#include "starfield/Starfield.h"

#include "platform/random.h"
#include "platform/rounding.h"
#include "starfield/Stars.h"

#include <bit>

namespace starfield {
namespace {

// The decimal 1.33333, not 4/3: MaxDist depends on the difference.
constexpr double kMaxDistFactor = 1.33333;
static_assert(std::bit_cast<std::uint64_t>(kMaxDistFactor) == 0x3FF55551D68C692Fu);
// With it a star reaches full brightness after about a third of MaxDist.
constexpr double kColorSteps = 768;
// A little below a full turn.
constexpr double kThetaRange = 6.283185307;
static_assert(std::bit_cast<std::uint64_t>(kThetaRange) == 0x401921FB54411744u);
constexpr double kStartDistDivisor = 5;
constexpr float kSpeedJitterDivisor = 100;
constexpr std::int32_t kStarCount = 400;
constexpr float kSpinStep = 1e-6f;
static_assert(std::bit_cast<std::uint32_t>(kSpinStep) == 0x358637BDu);
constexpr float kSpeedGrowth = 1.00001f;
static_assert(std::bit_cast<std::uint32_t>(kSpeedGrowth) == 0x3F800054u);
static_assert(kStarCount <= StarArray::kSize);

} // namespace

void StartStarfield(StarfieldWindow window)
{
    SetUpStarfield(window);
    RunStarfield(window);
}

void SetUpStarfield(StarfieldWindow window)
{
    // Load and Activate run within the show, or at the latest among the messages it leaves.
    window.Form1.Show(platform::FormShow::Modeless);
    window.messages.DoEvents();
    platform::Randomize();

    CenterX = platform::roundToInt32(static_cast<double>(window.Picture1.scaleWidth()) / 2);
    CenterY = platform::roundToInt32(static_cast<double>(window.Picture1.scaleHeight()) / 2);
    MaxDist = platform::roundToInt32(static_cast<double>(CenterX) * kMaxDistFactor);
    SpinStep = kSpinStep;
    SpeedGrowth = kSpeedGrowth;
    StarCount = kStarCount;
    ColorScale = static_cast<float>(kColorSteps / static_cast<double>(MaxDist));

    for (std::int32_t index = 0; index < StarCount; ++index)
        ResetStar(index, true);
}

void ResetStar(std::int32_t Index, bool RandomSpeed)
{
    Star& star = Stars(Index);
    star.Red = platform::Rnd();
    star.Green = platform::Rnd();
    star.Blue = platform::Rnd();
    star.Theta = static_cast<float>(static_cast<double>(platform::Rnd()) * kThetaRange);
    star.StartDist = static_cast<float>(static_cast<double>(platform::Rnd()) * MaxDist / kStartDistDivisor);
    star.Dist = star.StartDist;
    star.Speed = 1;
    if (RandomSpeed) {
        const double r1 = platform::Rnd();
        const double r2 = platform::Rnd();
        star.Speed = static_cast<float>((r1 / kSpeedJitterDivisor + star.Speed) - r2 / kSpeedJitterDivisor);
    }
}

} // namespace starfield
