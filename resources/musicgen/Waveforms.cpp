#include "Waveforms.h"

#include <algorithm>

namespace musicgen {
namespace {

constexpr int kCycle = 32;
constexpr double kPulsePeakToPeak = 144.0;

std::int8_t toSample(double value)
{
    const double rounded = value < 0 ? value - 0.5 : value + 0.5;
    return static_cast<std::int8_t>(std::clamp(static_cast<int>(rounded), -127, 127));
}

/// The sine of a phase given in cycles, from a parabola refined once: within 0.1 % of the true
/// sine, far finer than 8-bit samples can tell.
double sine(double phase)
{
    phase -= static_cast<int>(phase);
    const double t = phase < 0.5 ? phase * 2.0 : phase * 2.0 - 2.0; // the angle over pi, -1..1
    const double y = 4.0 * t * (1.0 - (t < 0 ? -t : t));
    return 0.225 * (y * (y < 0 ? -y : y) - y) + y;
}

class ShiftRegisterNoise {
public:
    /// +1 or -1, like a chip's noise channel.
    int next()
    {
        const int feedback = (m_state ^ (m_state >> 1)) & 1;
        m_state = static_cast<std::uint16_t>((m_state >> 1) | (feedback << 14));
        return (m_state & 1) ? 1 : -1;
    }

private:
    std::uint16_t m_state = 1;
};

} // namespace

Wave pulseWave(int highSamples)
{
    // High and low levels around zero so that the cycle sums to nothing.
    const double duty = static_cast<double>(highSamples) / kCycle;
    const double high = kPulsePeakToPeak * (1.0 - duty);
    const double low = -kPulsePeakToPeak * duty;
    Wave wave(kCycle);
    for (int i = 0; i < kCycle; ++i)
        wave[static_cast<std::size_t>(i)] = toSample(i < highSamples ? high : low);
    return wave;
}

Wave triangleWave()
{
    Wave wave(kCycle);
    for (int i = 0; i < kCycle; ++i) {
        const int step = i < 16 ? 15 - i : i - 16; // 15..0, 0..15
        wave[static_cast<std::size_t>(i)] = toSample(step * 16.0 - 120.0);
    }
    return wave;
}

Wave noise(int length, int amplitude)
{
    ShiftRegisterNoise source;
    Wave wave(static_cast<std::size_t>(length));
    for (auto& sample : wave)
        sample = toSample(source.next() * amplitude);
    return wave;
}

Wave kickDrum()
{
    constexpr double rate = 8363.0;
    constexpr int length = 1250; // 150 ms
    Wave wave(length);
    double phase = 0.0;
    double sweep = 1.0;
    double level = 1.0;
    for (int i = 0; i < length; ++i) {
        const double frequency = 45.0 + 145.0 * sweep;
        const double fadeOut = static_cast<double>(length - i) / length; // reach zero at the end
        wave[static_cast<std::size_t>(i)] = toSample(120.0 * level * fadeOut * sine(phase));
        phase += frequency / rate;
        sweep *= 0.9960; // the pitch above 45 Hz halves every 20 ms
        level *= 0.9994;
    }
    return wave;
}

Wave snareDrum()
{
    constexpr double rate = 16726.0;
    constexpr int length = 1840; // 110 ms
    constexpr int attack = 33; // 2 ms
    ShiftRegisterNoise source;
    Wave wave(length);
    double phase = 0.0;
    double body = 1.0;
    double hiss = 1.0;
    for (int i = 0; i < length; ++i) {
        const double fadeIn = i < attack ? static_cast<double>(i) / attack : 1.0;
        const double fadeOut = static_cast<double>(length - i) / length;
        const double value = 70.0 * body * sine(phase) + 60.0 * hiss * source.next();
        wave[static_cast<std::size_t>(i)] = toSample(value * fadeIn * fadeOut);
        phase += 190.0 / rate;
        body *= 0.9975;
        hiss *= 0.9988;
    }
    return wave;
}

} // namespace musicgen
