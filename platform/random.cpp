#include "platform/random.h"

#include <chrono>

namespace platform {
namespace {

// SplitMix64's output function: a bijection on 64 bits that spreads every input bit over the
// whole word, so neighbouring states and clock readings give unrelated numbers.
constexpr std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15u;

// The state of the program's one generator, used only from the user-interface thread. Without a
// re-seed the program would draw the same numbers on every run, as such generators do.
std::uint64_t s_state = kGoldenGamma;

} // namespace

float Rnd()
{
    s_state += kGoldenGamma;
    // The top 24 bits make a float of [0, 1) exactly, with every value equally likely.
    return static_cast<float>(mix(s_state) >> 40) * 0x1p-24f;
}

void Randomize()
{
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    const std::uint64_t time = static_cast<std::uint64_t>(steady) ^ (static_cast<std::uint64_t>(wall) << 21);
    s_state = mix(s_state ^ mix(time));
}

void Randomize(std::uint64_t seed)
{
    s_state = mix(seed);
}

} // namespace platform
